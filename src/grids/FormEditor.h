// The grid form editor without its window: the working shape, painting and erasing under the
// symmetry modes, resizing by the grid's edges, the status panels, and the Clear, Save, Correction
// and automatic generation commands. The window forwards pointer positions and commands and draws
// what this object holds.
#pragma once

#include "grids/Symmetry.h"
#include "model/Grat.h"
#include "platform/Busy.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/Sounds.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace vez {

inline constexpr int kFormMinSide = 2;
inline constexpr int kFormMaxSide = 40;
inline constexpr int kMaxRun = 16; // the longest run of letter squares a puzzle word may take

// What the editor needs from the rest of the program. Every hook may be left empty: then the step
// it stands for is skipped (no storage browser, no composition to pause, nothing to repaint).
struct FormEditorHooks {
    // The storage browser in save mode: writes `shape` into the cell the user picks.
    std::function<void(const TGratShape& shape)> saveToStorage;
    // The storage browser in correction mode: the shape of the cell the user confirmed, or nothing.
    std::function<std::optional<TGratShape>()> pickForCorrection;
    // Pauses a running composition; true when one was running (and must be resumed afterwards).
    std::function<bool()> pauseComposition;
    std::function<void()> resumeComposition;
    // Called once per generation step before pending events run (the window schedules a repaint).
    std::function<void()> generationStep;
};

// Pointer buttons and keys held during a move, as the window reports them.
struct PointerState {
    bool left = false, right = false, middle = false;
    bool shift = false, ctrl = false, alt = false;
};

enum class Stroke { None, Paint, Erase };
// Only the left button alone paints and only the right button alone erases.
Stroke StrokeFor(const PointerState& p);

enum class ResizeEdge { None, Right, Bottom, Corner };

// The outline shown while an edge is dragged.
struct ResizePreview {
    ResizeEdge edge = ResizeEdge::None;
    int width = 0, height = 0;
    std::string label; // "W x H"
};

// Texts of the save checks, in the order they are made; nothing when the shape may be saved.
std::optional<MsgBoxRequest> SaveCheckFailure(const TGratShape& shape);
// The longest run of letter squares in row `j` (columns 1 … W) and in column `i` (rows 1 … H).
int LongestRowRun(const TGratShape& shape, int j);
int LongestColumnRun(const TGratShape& shape, int i);

class FormEditor {
  public:
    FormEditor(Dialogs& dialogs, Sounds& sounds, Busy& busy, fs::path home, FormEditorHooks hooks = {});

    FormEditorHooks& Hooks() { return hooks_; }

    const TGratShape& Shape() const { return shape_; }
    int Symmetry() const { return symmetry_; }
    int SquareSize() const { return square_; }
    bool Generating() const { return generating_; }

    // Status panels: the square under the pointer (or the fill after a generation), the size, the
    // symmetry mode.
    const std::string& CellText() const { return cellText_; }
    const std::string& SizeText() const { return sizeText_; }
    const std::string& SymmetryText() const { return symmetryText_; }

    // Opening takes the on-screen square size (at least 4 pixels); closing clears the letter
    // squares and the status, keeps the size, and stops a generation in progress.
    void Open(int squareSize);
    void Close();

    // Mouse on the grid, in pixels of the grid image.
    void PointerPressed();
    // True when the shape changed.
    bool PointerMoved(int x, int y, const PointerState& p);

    // Resizing by the edges; positions in pixels of the grid image.
    ResizeEdge EdgeAt(int x, int y) const;
    bool BeginResize(int x, int y); // true when (x, y) is on an edge: a drag starts
    void DragResize(int x, int y);
    void EndResize();
    const std::optional<ResizePreview>& Resizing() const { return resize_; }

    void NextSymmetry();
    void Clear();
    void Save();
    void Correction();
    // Fills the working shape with a generated grid; `seed` drives its randomness.
    void Generate(std::uint64_t seed);
    // Makes a running generation stop at its next step (used when the window goes away).
    void RequestStop() { stopRequested_ = true; }

    // Direct setters for the window and tests.
    void SetSize(int width, int height);
    void SetShape(const TGratShape& shape);

  private:
    void ApplyStroke(int i, int j, bool set);
    bool StorageExists(const char* captionUtf8);
    void ShowSizeText();
    void ClearOutside();

    Dialogs& dialogs_;
    Sounds& sounds_;
    Busy& busy_;
    fs::path home_;
    FormEditorHooks hooks_;

    TGratShape shape_;
    int symmetry_ = kSymmetryFull;
    int square_ = 16;
    std::optional<CellPos> lastPainted_; // 0-based
    std::optional<ResizePreview> resize_;
    bool generating_ = false;
    bool stopRequested_ = false;
    std::string cellText_, sizeText_, symmetryText_;
};

// The status text of a symmetry mode.
std::string SymmetryStatusText(int symmetry);

} // namespace vez
