// Where a command-line grid comes from and how it becomes a composition model. Today a grid is a
// text file of '*' (letter) and '.' (blocked) rows; other sources (a cell of the grid storage) add
// an option to TakeGridOption and a branch to LoadGrid, and every command that takes a grid gets them.
#pragma once

#include "cli/Command.h"
#include "model/Grat.h"
#include "platform/Files.h"

#include <optional>
#include <string>

namespace vez::cli {

struct GridRequest {
    fs::path file;
};

// Consumes args[i] (and its value) when it is a grid option; false when it is not one.
bool TakeGridOption(const Args& args, std::size_t& i, GridRequest& req);
// A plain argument: the grid file.
void SetGridFile(GridRequest& req, const std::string& arg);

struct GridModel {
    TGrat grat;
    SlotTable slots;
};
// The grid with its slots and crossings; nullopt with a UTF-8 message on failure.
std::optional<GridModel> LoadGrid(const GridRequest& req, std::string& error);
// Reads a grid text file (rows of '*' and '.'; at most 40 x 40).
std::optional<TGrat> ReadGridText(const fs::path& file, std::string& error);

// The grid as text, letters in UTF-8, '#' for blocked cells, '.' for empty letter cells.
std::string GridToUtf8(const TGrat& g);

} // namespace vez::cli
