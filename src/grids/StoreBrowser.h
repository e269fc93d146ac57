// The grid storage browser as a window-free object: one storage shown at a time, the selected cell,
// the cut buffer, the number buttons, the duplicate search and what a confirmed choice hands back to
// the command that opened it. The window only draws this state and forwards input.
//
// The selected cell is shown inverted only in DisplayPicture(); Picture() is exactly what is on
// disk (or about to be written), so the inversion can never reach a file. Every change is written
// at once; a storage whose last write failed is written again before it is left.
#pragma once

#include "settings/Config.h"
#include "grids/GridStore.h"
#include "model/Grat.h"
#include "platform/Busy.h"
#include "platform/Dialogs.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vez {

// Who opened the browser; the values are the window codes of the callers.
enum class StorePurpose : int { Compose = 12, Save = 72, Correction = 73, Picture = 88, Print = 98 };

// Nullopt for a code that is none of the five.
std::optional<StorePurpose> StorePurposeFromCode(int code);
// The window caption each purpose is opened with (Windows-1251).
std::string StorePurposeCaption(StorePurpose p);

// The empty-grid map of the picture and print purposes, [x][y] like TGratShape: 1 a letter square,
// '.' a blocked square enclosed by letter squares, 0 outside the grid.
using EmptyGridMap = std::array<std::array<std::uint8_t, kGratSize>, kGratSize>;
inline constexpr std::uint8_t kMapLetter = 1;
inline constexpr std::uint8_t kMapBlocked = '.';
inline constexpr std::uint8_t kMapOutside = 0;

// Builds the map of a shape of `width` x `height`: blocked squares reachable from the border through
// blocked squares become outside.
EmptyGridMap MakeEmptyGridMap(const TGratShape& shape);

// The duplicate-search signature of a cell: sum of j^2 * i^2 + i over its letter squares.
std::int64_t ShapeSignature(const TGratShape& shape);

// A confirmed choice.
struct StorePickResult {
    StorePurpose purpose = StorePurpose::Compose;
    int storage = 1;
    int column = 0, row = 0;
    int width = 0, height = 0;       // of the selected cell's shape
    std::string source;              // "3 7*2": column+1, row+1, storage
    TGrat grat;                      // compose
    std::optional<TGratShape> shape; // correction: the shape for the editor, when wider and higher than 1
    EmptyGridMap map{};              // picture and print
};

// One row of the duplicate list; both empty for the blank row between groups.
struct DuplicateRow {
    std::string storage;
    std::string cell;
    bool operator==(const DuplicateRow&) const = default;
};

enum class NumberStyle { Current, Exists, Missing };

// Keys the browser reacts to (the window maps its key events onto these).
enum class BrowserKey { Enter, Space, Escape, Delete, Dot, CtrlX, CtrlC, CtrlV, Left, Right, Up, Down, F9 };

// What the window has to do after a command.
enum class BrowserAction { None, CloseOk, CloseCancel, OpenSettings };

struct BrowserMenu {
    bool cut = false, paste = false, clear = true, separator = false, save = false;
};

class StoreBrowser {
  public:
    // `settings` gives the current storage (CurrGrat) and the thumbnail colours; a switch or a
    // deletion writes CurrGrat into it and at once into home/Vezd.ini.
    StoreBrowser(fs::path home, Settings& settings, Dialogs& dialogs, Busy& busy);

    // Called after a long step has changed what is shown (the duplicate search), so the window can
    // repaint before pending events run.
    std::function<void()> onChanged;

    // Opening. `working` is the editor's shape in the save purpose (ignored otherwise).
    void Open(StorePurpose purpose, const TGratShape* working = nullptr);
    // Closing: writes a storage with pending changes, closes the duplicate list and, when `ok` and a
    // storage is shown, gives the choice for the purpose; nullopt for a cancel.
    std::optional<StorePickResult> Close(bool ok);

    // --- state -----------------------------------------------------------------------------------
    StorePurpose Purpose() const { return purpose_; }
    int CurrentStorage() const { return current_; }
    bool HasBoard() const { return picture_.has_value(); }
    const TGratStore* Picture() const { return picture_ ? &*picture_ : nullptr; }
    // The picture with the selected cell inverted, for the screen only.
    std::optional<TGratStore> DisplayPicture() const;
    int SelectedColumn() const { return col_; }
    int SelectedRow() const { return row_; }
    int MeasuredWidth() const { return measuredW_; }
    int MeasuredHeight() const { return measuredH_; }
    // The first thumbnail: the selected cell's shape as last measured (nullopt: cleared).
    const std::optional<TGratShape>& CurrentThumb() const { return thumb1_; }
    // The second thumbnail: the shape being saved or the cut shape (nullopt: hidden).
    const std::optional<TGratShape>& SecondThumb() const { return thumb2_; }
    bool CutBufferFull() const { return cut_.has_value(); }
    BrowserMenu Menu() const;
    std::string CellStatus() const; // "Ячейка 6 : 6"
    std::string SizeStatus() const { return sizeStatus_; }
    std::string PanelCaption() const { return panelCaption_; }
    // Number buttons: five numbers of the block shown.
    int ButtonNumber(int k) const { return 5 * block_ + k + 1; }
    NumberStyle ButtonStyle(int k) const;
    bool NextBlockEmphasised() const; // some storage beyond the fifth button exists
    bool SearchRunning() const { return searching_; }
    bool DuplicatesShown() const { return duplicatesShown_; }
    const std::vector<DuplicateRow>& Duplicates() const { return duplicates_; }

    // --- commands --------------------------------------------------------------------------------
    // Left button pressed or dragged at a picture pixel.
    void SelectAt(int x, int y);
    void Select(int c, int r);
    // Releasing the left button or any key: the selected cell is measured again.
    void Measure();
    void MoveSelection(int dc, int dr);
    BrowserAction Ok();
    BrowserAction DoubleClick();
    void Cut();
    void Paste();
    void Clear();
    // Save purpose: writes the editor's shape into the selected cell; CloseOk when written.
    BrowserAction SaveShape();
    void NumberClick(int k);
    void NumberRightClick();
    void PrevBlock();
    void NextBlock();
    void FindDuplicates();
    // The duplicate list was closed: it is emptied.
    void CloseDuplicates();
    BrowserAction Key(BrowserKey key);

  private:
    fs::path IniPath() const;
    bool StorageExists(int n) const;
    bool LoadCurrent();
    void SetBlockFor(int n);
    void SetPanelCaption();
    bool WriteStore();
    void RememberCurrent();
    void SwitchTo(int n);
    void ShowMeasurement(const TGratShape& s);
    std::string CellName() const;
    std::string StoreFileText(int n) const;
    bool SearchStorages(std::vector<std::string>& entries);
    std::optional<int> LargestStorageNumber() const;

    fs::path home_;
    Settings& settings_;
    Dialogs& dialogs_;
    Busy& busy_;

    StorePurpose purpose_ = StorePurpose::Compose;
    TGratShape working_;
    int current_ = 1;
    std::optional<TGratStore> picture_;
    bool dirty_ = false; // the picture holds changes its file does not have
    int col_ = 5, row_ = 5;
    int measuredW_ = 0, measuredH_ = 0;
    std::optional<TGratShape> thumb1_, thumb2_;
    std::optional<TGratShape> cut_; // survives closing and reopening
    bool saveOffered_ = false;
    std::string sizeStatus_;
    std::string panelCaption_;
    int block_ = 0;
    bool searching_ = false;
    bool duplicatesShown_ = false;
    std::vector<DuplicateRow> duplicates_;
};

} // namespace vez
