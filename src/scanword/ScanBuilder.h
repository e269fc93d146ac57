// The scanword builder's state and commands, without the window: the size, the excluded cells, the
// layout generation run on the caller's thread, the status texts, the hand-over to composition and
// the closing rules.
#pragma once

#include "model/Grat.h"
#include "model/ScanLayout.h"
#include "platform/Dialogs.h"
#include "scanword/ScanGenerator.h"
#include "scanword/ScanOperSettings.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace vez {

struct Settings;

inline constexpr std::uint8_t kScanWindowCode = 10;

// What "Составить сканворд" hands to the compose window and the document writer.
struct ScanHandOver {
    TGrat grat;         // '*' at every letter cell, '.' elsewhere
    TScanLayout layout; // the layout the document stores with the scanword
};

// A word placed shorter than its run leaves the rest of the run with codes that do not show the
// word; the accepted layout's words are its runs, so every cell of a run is marked as in it.
void MarkWordCells(TScanLayout& layout);

// "0:00:12": hours, minutes and seconds of a duration.
std::string FormatElapsed(double seconds);

class ScanBuilder {
public:
    enum State : int { kCleared = -1, kIdle = 0, kBuilding = 1 };
    enum class SizeField { Width, Height };
    enum class ArrowKey { Left, Right, Up, Down };
    enum class RunEnd { Complete, Stopped, Failed };
    using Clock = std::chrono::steady_clock;

    ScanBuilder(Settings& settings, ScanOperSettings& oper);
    ~ScanBuilder();

    int width() const { return width_; }
    int height() const { return height_; }
    // Clamped to 4 … 40. A change clears the excluded cells and the layout (stopping a generation)
    // and withdraws the compose command; returns whether the size changed.
    bool SetWidth(int w);
    bool SetHeight(int h);
    // An arrow key in a size field: left and down decrease, up and right increase.
    bool SizeKey(SizeField field, ArrowKey key);

    const ExcludedMap& excluded() const { return excluded_; }
    // Ctrl + left click on cell (x, y): toggles its exclusion and clears the layout. Ignored while
    // building or outside the grid; returns whether anything changed.
    bool ToggleExcluded(int x, int y);
    // The cell under pixel (px, py) of the drawing, {0, 0} outside the grid.
    CellPos CellAt(int px, int py, int cellSize) const;

    int state() const { return state_; }
    bool building() const { return state_ == kBuilding; }
    bool layoutReady() const { return layoutReady_; }
    // "Составить сканворд" is offered.
    bool composeOffered() const { return composeOffered_; }
    void SetComposeOpen(bool open) { composeOpen_ = open; }

    // What the drawing shows: the layout being composed, the finished one, or the empty grid.
    const TScanLayout& display() const;
    // The current block while building (0 otherwise) and the partition in use.
    int currentBlock() const;
    const ScanBlocks* blocks() const;
    std::uint64_t passes() const;
    // Passes of the last generation that completed.
    std::uint64_t lastPasses() const { return lastPasses_; }

    // The composition area moved: the layout is cleared (a generation is stopped).
    void AreaChanged();

    // "Составить решетку": starts a generation, or stops the one running (clearing the layout).
    // Returns true when a generation was started; the caller then calls Run.
    bool PressBuild(std::uint64_t seed);
    // Runs passes until the layout is complete, the generation is stopped (by a command issued from
    // `pump`) or fails. The clock is read every 256 passes and `pump` (letting pending window
    // events run) is called whenever `pumpEvery` has passed since its last call.
    RunEnd Run(Dialogs& dialogs, const std::function<void()>& pump,
               Clock::duration pumpEvery = std::chrono::milliseconds(10));
    // Running time text for panel 1 while building.
    std::string RunningTime() const;
    const std::string& statusTime() const { return statusTime_; }
    const std::string& statusWords() const { return statusWords_; }

    // "Составить сканворд": withdraws the command and returns the grid and layout to compose;
    // nullopt when the command is not offered.
    std::optional<ScanHandOver> HandOver();

    // The window is about to close: while building asks whether to stop (anything but Yes keeps
    // the window open and returns false). Otherwise stops and clears everything and returns true.
    bool RequestClose(Dialogs& dialogs);
    // An unexpected failure while composing.
    void Fail(Dialogs& dialogs);

    // The window code while the builder is active; the previous code comes back on deactivation.
    void Activated(std::uint8_t& windowCode);
    void Deactivated(std::uint8_t& windowCode);

private:
    void StopGeneration();
    void ClearLayout(State next);
    void Finish();
    void ResetEmpty();

    Settings& settings_;
    ScanOperSettings& oper_;
    int width_ = 15, height_ = 10;
    ExcludedMap excluded_{};
    State state_ = kIdle;
    bool layoutReady_ = false;
    bool composeOffered_ = false;
    bool composeOpen_ = false;
    TScanLayout empty_;
    TScanLayout layout_;
    std::unique_ptr<ScanGenerator> gen_;
    std::uint64_t generation_ = 0; // tells a Run whose generation was stopped (and maybe restarted)
    Clock::time_point start_;
    std::string statusTime_, statusWords_;
    std::uint8_t previousCode_ = 0;
    std::uint64_t lastPasses_ = 0;
};

} // namespace vez
