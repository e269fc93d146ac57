#include "cli/GridSource.h"

#include "dictionary/DictFile.h"
#include "platform/Text.h"

namespace vez::cli {

bool TakeGridOption(const Args&, std::size_t&, GridRequest&) { return false; }

void SetGridFile(GridRequest& req, const std::string& arg) { req.file = arg; }

std::optional<TGrat> ReadGridText(const fs::path& file, std::string& error) {
    auto bytes = ReadFileBytes(file);
    if (!bytes) {
        error = "cannot read " + file.string();
        return std::nullopt;
    }
    std::vector<std::string> rows;
    bool bad = false;
    ForEachLine(*bytes, [&](std::string_view line) {
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.remove_suffix(1);
        for (char c : line) bad |= c != kEmptyCell && c != kBlockedCell;
        rows.emplace_back(line);
    });
    while (!rows.empty() && rows.back().empty()) rows.pop_back();
    std::size_t width = 0;
    for (auto& r : rows) width = std::max(width, r.size());
    if (bad) {
        error = file.string() + ": a grid file holds only rows of '*' (letter) and '.' (blocked)";
        return std::nullopt;
    }
    if (rows.empty() || width == 0 || width > kMaxGridSide || rows.size() > kMaxGridSide) {
        error = file.string() + ": a grid has 1 to 40 rows and columns";
        return std::nullopt;
    }
    return GratFromCells(static_cast<int>(width), static_cast<int>(rows.size()), rows);
}

std::optional<GridModel> LoadGrid(const GridRequest& req, std::string& error) {
    if (req.file.empty()) {
        error = "no grid given";
        return std::nullopt;
    }
    auto grat = ReadGridText(req.file, error);
    if (!grat) return std::nullopt;
    GridModel m{*grat, FindSlots(*grat)};
    if (!BuildCrossings(m.grat, m.slots)) {
        error = "Ошибка при загрузке решетки !";
        return std::nullopt;
    }
    return m;
}

std::string GridToUtf8(const TGrat& g) {
    std::string out;
    for (int y = 1; y <= g.height; ++y) {
        std::string row;
        for (int x = 1; x <= g.width; ++x) {
            const char c = g.at(x, y);
            row += c == kEmptyCell ? '.' : IsLetterCode(c) ? c : '#';
        }
        out += Cp1251ToUtf8(row) + "\n";
    }
    return out;
}

} // namespace vez::cli
