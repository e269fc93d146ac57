#include "grids/GridStore.h"

namespace vez {

fs::path StorePath(const fs::path& home, int n) {
    return home / "CROS" / ("GratCROS" + std::to_string(n) + ".bmp");
}

fs::path OldStorePath(const fs::path& home) {
    return home / "CROS" / "GratCROS.bmp";
}

fs::path CrosPromtPath(const fs::path& home) {
    return home / "CROS" / "promt";
}

std::optional<TGratStore> LoadStore(const fs::path& home, int n, std::string* error) {
    return ReadBmpFile(StorePath(home, n), error);
}

bool SaveStoreFile(const fs::path& promt, const fs::path& target, const TGratStore& picture) {
    return AtomicRewrite(promt, target, EncodeBmp(picture));
}

bool SaveStore(const fs::path& home, int n, const TGratStore& picture) {
    return SaveStoreFile(CrosPromtPath(home), StorePath(home, n), picture);
}

namespace {
int CellX(int c) {
    return kCellPitch * c;
}
int CellY(int r) {
    return kCellPitch * r;
}

void FillInterior(TGratStore& p, int c, int r, Rgb colour) {
    for (int j = 1; j <= kCellSquares; ++j)
        for (int i = 1; i <= kCellSquares; ++i)
            p.Set(CellX(c) + i, CellY(r) + j, colour);
}
} // namespace

bool IsCellEmpty(const TGratStore& p, int c, int r) {
    const int y = CellY(r) + 1;
    const Rgb first = p.AtOr(CellX(c) + 1, y, kStoreTeal);
    for (int i = 2; i <= kCellSquares; ++i)
        if (p.AtOr(CellX(c) + i, y, kStoreTeal) != first) return false;
    return true;
}

std::vector<int> FreeStoreCells(const TGratStore& p) {
    std::vector<int> free;
    for (int k = 0; k < kStoreCellCount; ++k) {
        const int c = k % kStoreCells, r = k / kStoreCells;
        if (IsCellEmpty(p, c, r) && ReadShape(p, c, r).width == 0) free.push_back(k);
    }
    return free;
}

TGratShape ReadShape(const TGratStore& p, int c, int r) {
    TGratShape s;
    for (int j = 1; j <= kCellSquares; ++j)
        for (int i = 1; i <= kCellSquares; ++i)
            if (p.AtOr(CellX(c) + i, CellY(r) + j, kStoreTeal) == kStoreYellow) {
                s.letter[i][j] = true;
                s.width = std::max(s.width, i);
                s.height = std::max(s.height, j);
            }
    return s;
}

void WriteShape(TGratStore& p, int c, int r, const TGratShape& shape) {
    FillInterior(p, c, r, kStoreTeal);
    for (int j = 1; j <= kCellSquares; ++j)
        for (int i = 1; i <= kCellSquares; ++i)
            if (shape.letter[i][j]) p.Set(CellX(c) + i, CellY(r) + j, kStoreYellow);
}

void ClearCell(TGratStore& p, int c, int r) {
    FillInterior(p, c, r, kStoreTeal);
}

bool HasStoreSize(const TGratStore& p) {
    return p.width == kStoreSide && p.height == kStoreSide;
}

void PaintBlankStore(TGratStore& p) {
    p.Fill(kStoreTeal);
    for (int k = 0; k <= kStoreCells; ++k)
        for (int t = 0; t < kStoreSide; ++t) {
            p.Set(t, kCellPitch * k, kStoreBlack);
            p.Set(kCellPitch * k, t, kStoreBlack);
        }
}

TGratStore MakeBlankStore() {
    TGratStore p(kStoreSide, kStoreSide, kStoreTeal, 4);
    PaintBlankStore(p);
    return p;
}

bool CreateBlankStore(const fs::path& home, int n) {
    std::error_code ec;
    if (fs::exists(StorePath(home, n), ec)) return false;
    auto first = LoadStore(home, 1);
    if (!first) return false;
    // Storage 1 only lends its pixel format: a new storage always gets the full board, even when
    // storage 1 was cropped by a paint program.
    TGratStore p(kStoreSide, kStoreSide, kStoreTeal, first->bitsPerPixel);
    p.palette = first->palette;
    PaintBlankStore(p);
    return SaveStore(home, n, p);
}

int FirstFreeStoreNumber(const fs::path& home, int from) {
    std::error_code ec;
    int m = std::max(from, 1);
    while (fs::exists(StorePath(home, m), ec))
        ++m;
    return m;
}

std::optional<TGratShape> ShapeFromRows(const std::vector<std::string>& rows) {
    if (rows.size() > static_cast<size_t>(kMaxGridSide)) return std::nullopt;
    TGratShape s;
    for (size_t j = 0; j < rows.size(); ++j) {
        if (rows[j].size() > static_cast<size_t>(kMaxGridSide)) return std::nullopt;
        for (size_t i = 0; i < rows[j].size(); ++i) {
            const char ch = rows[j][i];
            if (ch != kEmptyCell && ch != kBlockedCell) return std::nullopt;
            if (ch != kEmptyCell) continue;
            const int x = static_cast<int>(i) + 1, y = static_cast<int>(j) + 1;
            s.letter[x][y] = true;
            s.width = std::max(s.width, x);
            s.height = std::max(s.height, y);
        }
    }
    return s;
}

std::optional<TGratStore> MakeStoreFromShapes(const std::vector<std::vector<std::string>>& shapes) {
    if (shapes.size() > static_cast<size_t>(kStoreCellCount)) return std::nullopt;
    TGratStore p = MakeBlankStore();
    for (size_t k = 0; k < shapes.size(); ++k) {
        auto shape = ShapeFromRows(shapes[k]);
        if (!shape) return std::nullopt;
        WriteShape(p, static_cast<int>(k % kStoreCells), static_cast<int>(k / kStoreCells), *shape);
    }
    return p;
}

} // namespace vez
