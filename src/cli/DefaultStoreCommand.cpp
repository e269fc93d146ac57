// vezdar-cli make-default-store OUT.bmp [--dict HOME]: builds the default grid storage from its
// fixed plan, keeping only shapes the dictionary of HOME fills, and prints the table of kept shapes.
#include "cli/Command.h"
#include "grids/AutoGrid.h"
#include "cli/DefaultStore.h"
#include "platform/Text.h"

#include <cstdio>
#include <string>

namespace {

using namespace vez;

constexpr const char* kUsage =
    "usage: vezdar-cli make-default-store OUT.bmp [--dict HOME]\n"
    "  HOME: program folder whose DICT fills the candidates (default: the program folder)\n";

int Fail(const std::string& message) {
    std::fprintf(stderr, "vezdar-cli make-default-store: %s\n%s", message.c_str(), kUsage);
    return 2;
}

const char* SymmetryName(int s) {
    switch (s) {
    case kSymmetryFull:
        return "full";
    case kSymmetryHorizontal:
        return "horizontal";
    case kSymmetryVertical:
        return "vertical";
    default:
        return "none";
    }
}

std::string Size(const DefaultShapePlan& p) {
    return std::to_string(p.width) + "x" + std::to_string(p.height);
}

int Run(const cli::Args& args) {
    fs::path out, home = ProgramFolder();
    for (std::size_t k = 0; k < args.size(); ++k) {
        if (args[k] == "--help" || args[k] == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (args[k] == "--dict") {
            if (k + 1 >= args.size()) return Fail("missing value after --dict");
            home = args[++k];
        } else if (!args[k].empty() && args[k][0] == '-')
            return Fail("unknown option " + args[k]);
        else if (out.empty())
            out = args[k];
        else
            return Fail("more than one output file");
    }
    if (out.empty()) return Fail("no output file");

    PoolsResult pools = BuildAllPools(home);
    if (!pools.ok()) return Fail(Cp1251ToUtf8(pools.error) + " (" + (home / "DICT").string() + ")");

    const auto& plan = DefaultStorePlan();
    DefaultStoreChoice choice = ChooseDefaultShapes(
        plan, kDefaultSeedTries, [&](const TGratShape& s) { return RunFillTrial(s, pools.pools); },
        [&](const DefaultStoreShape& c, bool kept) {
            std::fprintf(stderr, "%-6s %-10s seed %-5llu fill %2d%%  filled %d/%d  median %.2f s  %s\n",
                         Size(c.plan).c_str(), SymmetryName(c.plan.symmetry),
                         static_cast<unsigned long long>(c.seed), FillPercent(c.shape), c.trial.filled,
                         c.trial.runs, c.trial.medianSeconds, kept ? "kept" : "rejected");
        });
    if (choice.kept.empty()) return Fail("no candidate passed the fill trial");

    auto store = StoreOfShapes(choice.kept);
    if (!store) return Fail("more shapes than a storage holds");
    fs::path promt = out;
    promt += ".promt";
    if (!SaveStoreFile(promt, out, *store)) return Fail("cannot write " + out.string());

    std::printf("cell    size   symmetry    seed   fill %%  filled  median s\n");
    for (std::size_t k = 0; k < choice.kept.size(); ++k) {
        const DefaultStoreShape& s = choice.kept[k];
        const std::string cell =
            std::to_string(k % kStoreCells + 1) + " : " + std::to_string(k / kStoreCells + 1);
        std::printf("%-7s %-6s %-10s %6llu  %5d  %3d/%-3d %8.2f\n", cell.c_str(), Size(s.plan).c_str(),
                    SymmetryName(s.plan.symmetry), static_cast<unsigned long long>(s.seed),
                    FillPercent(s.shape), s.trial.filled, s.trial.runs, s.trial.medianSeconds);
    }
    for (const DefaultShapePlan& m : choice.missed)
        std::printf("no fillable candidate: %s %s (seeds %llu ...)\n", Size(m).c_str(),
                    SymmetryName(m.symmetry), static_cast<unsigned long long>(m.firstSeed));
    std::printf("%zu shapes written to %s\n", choice.kept.size(), out.string().c_str());
    return 0;
}

cli::CliCommand reg{"make-default-store", "build the default grid storage from fixed seeds", Run};

} // namespace
