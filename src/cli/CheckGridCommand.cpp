// vezdar-cli check-grid GRIDFILE: the consistency pass of the Smart rule alone, without a search.
#include "cli/Command.h"
#include "cli/ComposeLibrary.h"
#include "cli/GridSource.h"
#include "compose/FillSearch.h"
#include "compose/SmartSearch.h"
#include "compose/WordPool.h"
#include "platform/Text.h"

#include <cstdio>

namespace vez::cli {
namespace {

constexpr const char* kUsage =
    "usage: vezdar-cli check-grid GRIDFILE | --storage N --cell C,R\n"
    "Keeps every slot's candidate words consistent with its crossings and the repeat and first-letter\n"
    "rules, using the dictionary of the program folder, and prints the candidates left per slot.\n"
    "GRIDFILE: rows of '*' (letter cell) and '.' (blocked cell); or the shape of cell C,R (1 … 10) of\n"
    "the grid storage N of the program folder.\n"
    "Exit status: 0 no slot ran out of candidates, 4 unfillable (the slots that ran out are named),\n"
    "2 error.\n";

int Fail(const std::string& msgUtf8) {
    std::fprintf(stderr, "vezdar-cli check-grid: %s\n", msgUtf8.c_str());
    return 2;
}

int CheckGridCmd(const Args& args) {
    GridRequest grid;
    ComposeLibraryOptions library;
    try {
        for (std::size_t i = 0; i < args.size(); ++i) {
            const std::string& a = args[i];
            if (a == "--help" || a == "-h") {
                std::fputs(kUsage, stdout);
                return 0;
            } else if (TakeGridOption(args, i, grid) || TakeComposeLibraryOption(args, i, library)) {
            } else if (!a.empty() && a[0] == '-') {
                return Fail("unknown option " + a + "\n" + kUsage);
            } else {
                SetGridFile(grid, a);
            }
        }
    } catch (const std::exception& e) {
        return Fail(std::string("bad option value: ") + e.what());
    }
    std::string error;
    auto loaded = LoadGridAndPools(grid, library, error);
    if (!loaded) return Fail(error);
    GridModel* model = &loaded->model;
    const TWordPool& pools = loaded->pools;
    GridCheck check;
    try {
        check = CheckGrid(model->slots, pools);
    } catch (const FillFailure& e) {
        return Fail(e.what());
    }
    const std::vector<int> num = WordNumbers(model->slots);
    std::printf("slot word  dir  x,y  len candidates\n");
    for (int s = 1; s <= SlotCount(model->slots); ++s) {
        const TWordSlot& w = model->slots[s];
        std::printf("%4d %4d  %c  %2d,%-2d %3d %10zu\n", s, num[s], w.dir, w.x, w.y, int(w.length),
                    check.candidates[s]);
    }
    if (check.unfillable) {
        std::printf("unfillable: %s\n", Cp1251ToUtf8(DeadSlotsText(model->slots, check.deadSlots)).c_str());
        return 4;
    }
    std::printf("consistent: no slot ran out of candidates\n");
    return 0;
}

CliCommand reg{"check-grid", "show the candidate words each slot of a grid keeps after the consistency pass",
               CheckGridCmd};

} // namespace
} // namespace vez::cli
