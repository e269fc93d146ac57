// Reads a grid from the grid storage for the screenshot run (its own unit: the storage's colour type
// and the settings' colour type share a name).
#include "grids/GridStore.h"

#include <optional>

std::optional<vez::TGrat> StoreCellGrat(const vez::fs::path& home, int n, int k);

std::optional<vez::TGrat> StoreCellGrat(const vez::fs::path& home, int n, int k) {
    auto store = vez::LoadStore(home, n);
    if (!store || vez::IsCellEmpty(*store, k % 10, k / 10)) return std::nullopt;
    return vez::GratFromShape(vez::ReadShape(*store, k % 10, k / 10));
}
