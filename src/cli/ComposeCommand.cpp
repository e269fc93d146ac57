// vezdar-cli compose GRIDFILE: fills a grid with the program folder's dictionary.
#include "cli/Command.h"
#include "cli/ComposeLibrary.h"
#include "cli/FillRun.h"
#include "compose/WordPool.h"
#include "platform/Text.h"

#include <chrono>
#include <cstdio>

namespace vez::cli {
namespace {

constexpr const char* kUsage =
    "usage: vezdar-cli compose GRIDFILE [--rule follow|empty|max|zigzag|random|smart] [--direction forward|backward]\n"
    "                          [--seed N] [--time-limit SECONDS]\n"
    "GRIDFILE: rows of '*' (letter cell) and '.' (blocked cell).\n"
    "Exit status: 0 filled, 3 time limit reached, 4 proven unfillable (rule smart), 2 error.\n";

int Fail(const std::string& msgUtf8) {
    std::fprintf(stderr, "vezdar-cli compose: %s\n", msgUtf8.c_str());
    return 2;
}

int Compose(const Args& args) {
    GridRequest grid;
    ComposeLibraryOptions library;
    TFillAlgorithm rule = TFillAlgorithm::Follow;
    bool backward = false;
    std::uint64_t seed = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    double limit = 60;
    try {
        for (std::size_t i = 0; i < args.size(); ++i) {
            const std::string& a = args[i];
            auto value = [&]() -> const std::string& { return OptionValue(args, i); };
            if (a == "--help" || a == "-h") {
                std::fputs(kUsage, stdout);
                std::fputs(kComposeLibraryUsage, stdout);
                return 0;
            } else if (a == "--rule") {
                auto r = ParseRule(value());
                if (!r) return Fail("unknown rule '" + args[i] + "'");
                rule = *r;
            } else if (a == "--direction") {
                const std::string& d = value();
                if (d != "forward" && d != "backward") return Fail("direction is forward or backward");
                backward = d == "backward";
            } else if (a == "--seed") {
                seed = std::stoull(value());
            } else if (a == "--time-limit") {
                limit = std::stod(value());
                if (!(limit > 0)) return Fail("the time limit is a positive number of seconds");
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

    FillRunResult run = RunFill(*model, pools, rule, backward, seed, limit);
    std::fputs(GridToUtf8(run.model.grat).c_str(), stdout);
    for (int n = 1; n <= SlotCount(run.model.slots); ++n) {
        const TWordSlot& s = run.model.slots[n];
        std::printf("%3d %c %2d,%-2d %s\n", n, s.dir, s.x, s.y,
                    s.word.empty() ? "-" : Cp1251ToUtf8(s.word).c_str());
    }
    const char* outcome = run.end == FillEnd::Finished ? "filled"
                          : run.end == FillEnd::Failed ? "failed"
                          : run.end == FillEnd::Unfillable ? "unfillable"
                                                       : "time limit reached";
    std::printf("%s: rule %s, %s, seed %llu\ncycles %llu, attempts %llu, pool words scanned %llu, time %.3f s\n"
                "pools: %zu bytes\n",
                outcome, RuleName(rule), backward ? "backward" : "forward", static_cast<unsigned long long>(seed),
                static_cast<unsigned long long>(run.stats.cycles), static_cast<unsigned long long>(run.stats.attempts),
                static_cast<unsigned long long>(run.stats.scanned), run.seconds, pools.Bytes());
    if (run.end == FillEnd::Unfillable) {
        std::printf("unfillable: %s\n", run.deadText.c_str());
        return 4;
    }

    if (run.end == FillEnd::Failed) return Fail("the run failed: " + run.failure);
    if (!library.saveFolder.empty() && SaveToLibrary(library, run.model, run.end == FillEnd::Finished) != 0) return 2;
    return run.end == FillEnd::Finished ? 0 : 3;
}

CliCommand reg{"compose", "fill a grid file with the dictionary of the program folder", Compose};

} // namespace
} // namespace vez::cli
