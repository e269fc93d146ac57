// The compose command's grid-storage and library options: a grid taken from a cell of a grid
// storage (--storage N --cell C,R) and the document saved into a library folder (--save FOLDER)
// by the same code the compose window uses.
#pragma once

#include "compose/WordPool.h"

#include "cli/GridSource.h"

#include <optional>
#include <string>
#include <utility>

namespace vez::cli {

struct ComposeLibraryOptions {
    std::optional<int> storage;              // CROS/GratCROS<N>.bmp
    std::optional<std::pair<int, int>> cell; // column, row 1 … 10, as the storage window shows them
    std::string saveFolder;                  // UTF-8, as typed
};

extern const char* const kComposeLibraryUsage;

// Consumes args[i] (and its value) when it is one of the options; throws std::invalid_argument on a
// bad value.
bool TakeComposeLibraryOption(const Args& args, std::size_t& i, ComposeLibraryOptions& opt);
// A storage cell was asked for.
inline bool WantsStorageGrid(const ComposeLibraryOptions& opt) {
    return opt.storage || opt.cell;
}
// The shape of the storage cell with its slots and crossings; nullopt with a UTF-8 message.
std::optional<GridModel> LoadStorageGrid(const ComposeLibraryOptions& opt, std::string& error);
// A command's grid (the storage cell when one was asked for, else the grid file) and the word pools
// of the program folder's dictionary for its slots; nullopt with a UTF-8 message.
struct GridAndPools {
    GridModel model;
    TWordPool pools;
};
std::optional<GridAndPools> LoadGridAndPools(const GridRequest& grid, const ComposeLibraryOptions& library,
                                             std::string& error);
// Writes the composed model into CROS/<FOLDER> (created when missing) as the next document;
// prints its path. Returns the exit status (0, or 2 on failure).
int SaveToLibrary(const ComposeLibraryOptions& opt, const GridModel& model, bool finished);

} // namespace vez::cli
