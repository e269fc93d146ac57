// Grid storages: BMP pictures CROS/GratCROS<N>.bmp holding a 10 x 10 board of cells, each cell a
// 40 x 40 field of squares (one pixel per square, exactly yellow = letter square), and the
// operations on their cells.
//
// Picture layout (411 x 411): black lines x = 41k and y = 41k (k = 0 … 10) on a teal ground; cell
// (c, r), c and r 0 … 9 from the top-left, has its interior at x = 41c + 1 … 41c + 40,
// y = 41r + 1 … 41r + 40, and square (i, j) (1 … 40) of the cell is pixel (41c + i, 41r + j).
// Pixels beyond a smaller picture read as teal (blocked) and writes to them are dropped, so a
// storage of another size never crashes a reader.
#pragma once

#include "model/Grat.h"
#include "platform/Bmp.h"
#include "platform/Files.h"

#include <optional>
#include <string>
#include <vector>

namespace vez {

using TGratStore = RgbImage;

inline constexpr int kStoreSide = 411;
inline constexpr int kStoreCells = 10; // cells per row and per column
inline constexpr int kStoreCellCount = 100;
inline constexpr int kCellPitch = 41;
inline constexpr int kCellSquares = 40; // squares per side of a cell
inline constexpr int kMaxStoreNumber = 100;

inline constexpr Rgb kStoreTeal{0, 128, 128};
inline constexpr Rgb kStoreYellow{255, 255, 0};
inline constexpr Rgb kStoreBlack{0, 0, 0};

// CROS/GratCROS<N>.bmp below `home`.
fs::path StorePath(const fs::path& home, int n);
// The old single storage CROS/GratCROS.bmp.
fs::path OldStorePath(const fs::path& home);
// CROS/promt: every storage rewrite goes through it.
fs::path CrosPromtPath(const fs::path& home);

// Storage N as read, unchanged (any size or format the codec reads); nullopt with a reason when the
// file is missing or cannot be read as a BMP.
std::optional<TGratStore> LoadStore(const fs::path& home, int n, std::string* error = nullptr);
// Writes the picture as storage N, keeping a 4-bit storage 4-bit (other formats are written as
// 24-bit, with exact colours). Atomic: the old file stays whole when writing fails.
bool SaveStore(const fs::path& home, int n, const TGratStore& picture);
// Same as SaveStore to an explicit file (used by the set-up for the default storage).
bool SaveStoreFile(const fs::path& promt, const fs::path& target, const TGratStore& picture);

// The first interior row of the cell is of one colour (nothing else is looked at).
bool IsCellEmpty(const TGratStore& picture, int c, int r);
// Letter squares of the cell; width and height are the largest column and row holding one.
TGratShape ReadShape(const TGratStore& picture, int c, int r);
// Cells (index r * 10 + c, row by row) that can take a new shape without asking: the first
// interior row is of one colour and no square of the cell is yellow, so a cell whose letters begin
// below its first row, or fill the whole first row, is never taken for free.
std::vector<int> FreeStoreCells(const TGratStore& picture);
// Paints the cell interior teal, then the shape's letter squares yellow.
void WriteShape(TGratStore& picture, int c, int r, const TGratShape& shape);
// Paints the cell interior teal; the lines stay.
void ClearCell(TGratStore& picture, int c, int r);
// True when the picture has the storage's 411 x 411 size.
bool HasStoreSize(const TGratStore& picture);

// Paints the whole picture teal and draws the black cell lines.
void PaintBlankStore(TGratStore& picture);
// A new blank 4-bit storage picture.
TGratStore MakeBlankStore();
// Creates storage N as a blank storage in the pixel format of storage 1; nothing is created when
// storage 1 cannot be read or N already exists.
bool CreateBlankStore(const fs::path& home, int n);
// The smallest M >= from whose storage file does not exist.
int FirstFreeStoreNumber(const fs::path& home, int from);

// A shape from text rows: '*' a letter square, '.' a blocked one. nullopt when a row holds another
// character or the shape exceeds 40 x 40.
std::optional<TGratShape> ShapeFromRows(const std::vector<std::string>& rows);
// A blank 4-bit storage with shape k in cell k (row by row); nullopt for more than 100 shapes or a
// bad shape.
std::optional<TGratStore> MakeStoreFromShapes(const std::vector<std::vector<std::string>>& shapes);

} // namespace vez
