// Automatic crossword grid shapes: random words laid across and down so that they cross, mirrored
// by the editor's symmetry mode, cleaned of weakly crossed words and accepted only when the grid
// reaches every side and both middle lines.
//
// Data layout. All work happens in the shape's 42 x 42 matrix A[column][row] (true = letter
// square). The puzzle occupies columns 1 … W and rows 1 … H (7 … 40); row and column 0 and 41 stay
// false, so every neighbour test is safe at the edges. Words are placed only inside the generation
// area HW x HH at the top left (full symmetry: half of each side, rounded up; horizontal: half of
// the height; vertical: half of the width; none: the whole grid); the rest is made by mirroring.
//
// One trial:
//  1. Clear the matrix. Place a first across word of length 3 … min(HW, 16) at the left edge of a
//     random row.
//  2. Placement loop: each iteration proposes one down and one across word of random length
//     (3 … min(area side, 16)) and position. A word is laid only if it crosses existing letters (at
//     least twice once the across words outnumber a third of the longer area side: the strict
//     flag) and does not run along or into an existing parallel pair of letters. An area line that
//     lies beside its own mirror image (a mirrored even side) is never drawn as the line of a word,
//     so no word stands side by side with its image. The loop stops when the written letters (a
//     square written twice counts twice) exceed the target fill of the area, 80 %; after
//     1000 … 9999 iterations the target drops by one per iteration, so the loop always ends.
//  3. Mirror the area over the whole grid.
//  4. Split every run of more than 16 letters by clearing (with its mirror images) the last
//     uncrossed square within its first 17; a run crossed everywhere cannot be split.
//  5. Clean-up passes until one finds no word (a run of 2 or more) crossed fewer than twice: such a
//     word loses its uncrossed squares; a well crossed word is trimmed to at most one uncrossed
//     square before its first crossing, and after its last crossing to none (down words) or one
//     (across words), the far end only when the square after it has no letter beside it; a square
//     with no letter neighbour is cleared. Every square is cleared with its mirror images, so the
//     shape stays symmetric. A pass that finds a weak word clears at least one square, so the passes
//     end; trimmed squares are uncrossed, so the last pass leaves every word crossed twice.
//  6. Accept when row 1, row H, column 1, column W, the middle row and the middle column each hold
//     a letter square and no run is longer than 16; otherwise start a new trial.
//
// Invariants of an accepted shape: no run of more than 16 squares, no isolated letter square, every
// word of two or more squares crossed at least twice, the sides and middle lines not empty, the
// shape symmetric in the chosen mode, nothing outside W x H.
//
// Long work on the window thread: the tick callback runs once per placement iteration and once per
// clean-up pass (the editor lets pending window events run there) and may stop the generation.
#pragma once

#include "grids/Symmetry.h"
#include "model/Grat.h"
#include "platform/Dialogs.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace vez {

inline constexpr int kAutoGridMinSide = 7;

// The generation area HW x HH of a W x H grid in a symmetry mode.
struct AutoGridArea {
    int width = 0;
    int height = 0;
};
AutoGridArea GenerationArea(int width, int height, int symmetry);

// The message that refuses a size below 7 x 7, or nothing when the size can be generated.
std::optional<MsgBoxRequest> AutoGridSizeRefusal(int width, int height);

// Called once per placement iteration and once per clean-up pass; returning false stops.
using AutoGridTick = std::function<bool()>;

enum class AutoGridStatus { Accepted, Refused, Stopped };

struct AutoGridResult {
    AutoGridStatus status = AutoGridStatus::Refused;
    int trials = 0;                       // trials run, the accepted one included
    std::optional<MsgBoxRequest> refusal; // the message to show when refused
};

// Fills `shape` (its width and height, 1 … 40, are kept) with a generated grid. `symmetry` is
// 1 … 4. All randomness comes from one generator seeded with `seed`, so a seed reproduces a shape;
// the program seeds from the clock. A refused size leaves the shape untouched; a stop leaves it
// without letter squares.
AutoGridResult GenerateAutoGrid(TGratShape& shape, int symmetry, std::uint64_t seed,
                                const AutoGridTick& tick = {});

// Steps of a trial after the placement loop, usable on any shape of the given symmetry.
void MirrorGenerationArea(TGratShape& shape, int symmetry);
void SplitLongRuns(TGratShape& shape, int symmetry);
// One clean-up pass; true when it found a word crossed fewer than twice. Squares are cleared
// together with their mirror images.
bool CleanUpPass(TGratShape& shape, int symmetry);
bool IsAcceptedAutoGrid(const TGratShape& shape);

// Letter squares · 100 / (W · H), truncated; each square counts once.
int FillPercent(const TGratShape& shape);
// The editor's status text after a generation: "Заполнение P%".
std::string AutoGridFillText(const TGratShape& shape);

} // namespace vez
