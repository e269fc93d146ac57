#include "cli/GridSource.h"

#include "dictionary/DictFile.h"
#include "grids/GridStore.h"
#include "platform/Text.h"

#include <cstdio>

namespace vez::cli {

bool TakeGridOption(const Args& args, std::size_t& i, GridRequest& req) {
    const std::string& a = args[i];
    if (a != "--storage" && a != "--cell") return false;
    if (i + 1 >= args.size()) throw std::invalid_argument(a + " needs a value");
    const std::string& v = args[++i];
    if (a == "--storage") {
        req.storage = std::stoi(v);
        if (req.storage < 1 || req.storage > kMaxStoreNumber) throw std::invalid_argument("--storage is 1 … 100");
    } else {
        char tail = 0;
        if (std::sscanf(v.c_str(), "%d,%d%c", &req.col, &req.row, &tail) != 2 || req.col < 0 ||
            req.col >= kStoreCells || req.row < 0 || req.row >= kStoreCells)
            throw std::invalid_argument("--cell is C,R with C and R 0 … 9");
    }
    return true;
}

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
    std::optional<TGrat> grat;
    if (req.storage > 0) {
        if (req.col < 0) {
            error = "--storage needs --cell C,R";
            return std::nullopt;
        }
        auto store = LoadStore(ProgramFolder(), req.storage, &error);
        if (!store) return std::nullopt;
        if (IsCellEmpty(*store, req.col, req.row)) {
            error = "cell " + std::to_string(req.col) + "," + std::to_string(req.row) + " of storage " +
                    std::to_string(req.storage) + " is empty";
            return std::nullopt;
        }
        grat = GratFromShape(ReadShape(*store, req.col, req.row));
    } else if (req.file.empty()) {
        error = "no grid given";
        return std::nullopt;
    } else {
        grat = ReadGridText(req.file, error);
    }
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
