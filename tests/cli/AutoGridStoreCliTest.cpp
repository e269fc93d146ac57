// End to end: vezdar-cli autogrid --store N writes generated shapes into free cells of a storage of a
// temporary program folder, and leaves a storage it cannot use as it was.
#include "grids/AutoGrid.h"
#include "grids/GridStore.h"
#include "CliRunner.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <sys/wait.h>

namespace vez {
namespace {

using test::CliPath;
using test::CliRun;
using test::RunCli;

TGratShape Generated(std::uint64_t seed) {
    TGratShape s;
    s.width = s.height = 7;
    EXPECT_EQ(GenerateAutoGrid(s, kSymmetryFull, seed).status, AutoGridStatus::Accepted);
    return s;
}

const TGratShape kPlus = *ShapeFromRows({".*.", "***", ".*."});
// Letters only below the cell's first row: the first row is uniform, yet the cell is not free.
const TGratShape kLow = *ShapeFromRows({"...", "***", "*.*"});

// Storage 1 with the given shapes in cells 0, 1, …
std::function<void(const fs::path&)> Storage1With(std::vector<TGratShape> shapes) {
    return [shapes](const fs::path& home) {
        fs::create_directories(home / "CROS");
        TGratStore p = MakeBlankStore();
        for (std::size_t k = 0; k < shapes.size(); ++k)
            WriteShape(p, static_cast<int>(k % 10), static_cast<int>(k / 10), shapes[k]);
        ASSERT_TRUE(SaveStore(home, 1, p));
    };
}

TEST(AutoGridStoreCli, WritesIntoFreeCellsOrLeavesTheStorageAlone) {
    if (CliPath().empty()) GTEST_SKIP() << "vezdar-cli is not built";
    const std::string gen = "autogrid --width 7 --height 7 --symmetry 1 --seed 5 ";
    struct Case {
        const char* name;
        std::function<void(const fs::path&)> setup;
        std::string args;
        int status;
        std::vector<std::string> expectOut;
        std::vector<int> written; // cells that receive seeds 5, 6, … (status 0 only)
        int store = 1;            // the storage to look at afterwards
    } cases[] = {
        {"missing storage 1 is created",
         [](const fs::path&) {},
         gen + "--count 2 --store 1",
         0,
         {"-> cell 1 : 1", "-> cell 2 : 1", "2 shape(s) written"},
         {0, 1}},
        {"occupied cells are skipped",
         Storage1With({kPlus, kLow}),
         gen + "--store 1",
         0,
         {"-> cell 3 : 1"},
         {2}},
        {"new storage made from storage 1",
         Storage1With({kPlus}),
         gen + "--store 7",
         0,
         {"-> cell 1 : 1"},
         {0},
         7},
        {"full storage",
         Storage1With(std::vector<TGratShape>(100, kPlus)),
         gen + "--store 1",
         1,
         {"is full; nothing written"},
         {}},
        {"too few free cells",
         Storage1With(std::vector<TGratShape>(99, kPlus)),
         gen + "--count 2 --store 1",
         1,
         {"has only 1 free cells for 2 shapes; nothing written"},
         {}},
        {"no storage 1 to make storage 2 from",
         [](const fs::path&) {},
         gen + "--store 2",
         1,
         {"storage 1 is missing"},
         {},
         2},
        {"bad storage number", [](const fs::path&) {}, gen + "--store 101", 2, {"bad value for --store"}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempHome home;
        c.setup(home.path());
        const fs::path path = StorePath(home.path(), c.store);
        const auto before = ReadFileBytes(path);
        const auto beforeStore = LoadStore(home.path(), c.store);

        CliRun r = RunCli(c.args);
        EXPECT_EQ(r.status, c.status) << r.out;
        for (const std::string& e : c.expectOut)
            EXPECT_NE(r.out.find(e), std::string::npos) << "missing: " << e << "\nin:\n" << r.out;

        const auto after = ReadFileBytes(path);
        if (c.status != 0) {
            EXPECT_EQ(after, before) << "a storage that could not take the shapes changed";
            continue;
        }
        auto store = LoadStore(home.path(), c.store);
        ASSERT_TRUE(store);
        EXPECT_EQ(store->bitsPerPixel, 4);
        for (int k = 0; k < kStoreCellCount; ++k) {
            const auto it = std::find(c.written.begin(), c.written.end(), k);
            const TGratShape want = it != c.written.end() ? Generated(5 + (it - c.written.begin()))
                                    : beforeStore         ? ReadShape(*beforeStore, k % 10, k / 10)
                                                          : TGratShape{};
            EXPECT_EQ(ReadShape(*store, k % 10, k / 10).letter, want.letter) << "cell " << k;
        }
    }
}

} // namespace
} // namespace vez
