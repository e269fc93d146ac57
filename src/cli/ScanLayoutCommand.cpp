// vezdar-cli scan-layout: composes a scanword layout as the builder does; optionally fills it with
// the dictionary of the program folder and stores it in the scanword library.
#include "cli/Command.h"
#include "cli/ConsoleDialogs.h"
#include "cli/FillRun.h"
#include "compose/WordPool.h"
#include "model/Document.h"
#include "platform/Text.h"
#include "scanword/ScanGenerator.h"

#include <chrono>
#include <cstdio>
#include <sstream>

namespace vez::cli {
namespace {

constexpr const char* kUsage =
    "usage: vezdar-cli scan-layout --width W --height H [--area Q] [--permit-arrows] [--short 2,3,16|--no-short]\n"
    "                              [--exclude X,Y ...] [--seed S] [--time-limit S]\n"
    "                              [--compose [--rule R] [--fill-time-limit S]] [--save FOLDER]\n"
    "Prints the layout with the document's cell characters (letter cells '*', or their letters after\n"
    "--compose; '-' outside), the word counts, passes and time. --save writes the scanword into\n"
    "SCAN/FOLDER of the program folder (created when missing). Exit status: 0 complete, 3 time limit\n"
    "reached (layout or filling), 4 proven unfillable (rule smart), 2 error, 1 not saved.\n";

int Fail(const std::string& msgUtf8) {
    std::fprintf(stderr, "vezdar-cli scan-layout: %s\n", msgUtf8.c_str());
    return 2;
}

bool ParseInts(const std::string& s, std::vector<int>& out) {
    std::stringstream ss(s);
    for (std::string part; std::getline(ss, part, ',');) {
        std::size_t used = 0;
        const int v = std::stoi(part, &used);
        if (used != part.size()) return false;
        out.push_back(v);
    }
    return true;
}

void PrintLayout(const TScanLayout& l, const TGrat* grat) {
    for (int y = 1; y <= l.height; ++y) {
        std::string row;
        for (int x = 1; x <= l.width; ++x)
            row += ScanCellChar(l.cells[x][y], grat ? grat->at(x, y) : kEmptyCell);
        std::printf("%s\n", Cp1251ToUtf8(row).c_str());
    }
}

int ScanLayout(const Args& args) {
    int width = 0, height = 0;
    ScanOptions opt;
    ExcludedMap excluded{};
    std::vector<CellPos> excludes;
    std::uint64_t seed = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    double limit = 60, fillLimit = 60;
    bool compose = false;
    TFillAlgorithm rule = TFillAlgorithm::Follow;
    std::string folder;
    try {
        for (std::size_t i = 0; i < args.size(); ++i) {
            const std::string& a = args[i];
            auto value = [&]() -> const std::string& { return OptionValue(args, i); };
            if (a == "--help" || a == "-h") {
                std::fputs(kUsage, stdout);
                return 0;
            } else if (a == "--width") {
                width = std::stoi(value());
            } else if (a == "--height") {
                height = std::stoi(value());
            } else if (a == "--area") {
                opt.area = std::stoi(value());
                if (opt.area < 5 || opt.area > 8) return Fail("the area is 5 … 8");
            } else if (a == "--permit-arrows") {
                opt.permitArrows = true;
            } else if (a == "--no-short") {
                opt.shortCheck = false;
            } else if (a == "--short") {
                std::vector<int> v;
                if (!ParseInts(value(), v) || v.size() != 3 || v[0] < 0 || v[0] > 10 || v[1] < 0 || v[1] > 20 ||
                    v[2] < 0 || v[2] > 100)
                    return Fail("--short takes three limits: 0 … 10, 0 … 20, 0 … 100");
                opt.shortCheck = true;
                for (int n = 2; n <= 4; ++n) opt.maxShort[n] = v[n - 2];
            } else if (a == "--exclude") {
                // One or more cells: --exclude 3,4 5,6
                value();
                --i;
                while (i + 1 < args.size() && args[i + 1].rfind("--", 0) != 0) {
                    std::vector<int> v;
                    if (!ParseInts(args[++i], v) || v.size() != 2) return Fail("--exclude takes X,Y cells");
                    excludes.push_back({v[0], v[1]});
                }
            } else if (a == "--seed") {
                seed = std::stoull(value());
            } else if (a == "--time-limit") {
                limit = std::stod(value());
                if (!(limit > 0)) return Fail("the time limit is a positive number of seconds");
            } else if (a == "--fill-time-limit") {
                fillLimit = std::stod(value());
                if (!(fillLimit > 0)) return Fail("the time limit is a positive number of seconds");
            } else if (a == "--compose") {
                compose = true;
            } else if (a == "--rule") {
                auto r = ParseRule(value());
                if (!r) return Fail("unknown rule '" + args[i] + "'");
                rule = *r;
            } else if (a == "--save") {
                folder = value();
            } else {
                return Fail("unknown option " + a + "\n" + kUsage);
            }
        }
    } catch (const std::exception& e) {
        return Fail(std::string("bad option value: ") + e.what());
    }
    if (width < kScanMinSide || width > kScanMaxSide || height < kScanMinSide || height > kScanMaxSide)
        return Fail("--width and --height are 4 … 40\n" + std::string(kUsage));
    for (const CellPos& p : excludes) {
        if (p.x < 1 || p.x > width || p.y < 1 || p.y > height) return Fail("an excluded cell lies outside the grid");
        excluded[p.x][p.y] = 1;
    }
    std::string folderCp;
    if (!folder.empty()) {
        folderCp = UpperCase(Utf8ToCp1251(folder));
        if (!IsSafeName(folderCp)) return Fail("the folder name '" + folder + "' is not allowed");
        compose = true; // a scanword is stored filled
    }

    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    const auto deadline = start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(limit));
    ScanGenerator gen(width, height, excluded, opt, seed);
    std::uint32_t tick = 0;
    const bool done = gen.Run([&] { return (++tick & 1023) != 0 || Clock::now() < deadline; });
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    const TScanLayout& layout = gen.layout();
    if (!done) {
        PrintLayout(layout, nullptr);
        std::printf("time limit reached: block %d, passes %llu, time %.3f s, seed %llu\n", gen.currentBlock(),
                    static_cast<unsigned long long>(gen.passes()), seconds, static_cast<unsigned long long>(seed));
        return 3;
    }
    const ScanWordCounts& counts = gen.counts();
    if (!compose) PrintLayout(layout, nullptr);
    std::printf("words %d = %d + %d, passes %llu, time %.3f s, seed %llu\n", counts.words, counts.horizontal,
                counts.vertical, static_cast<unsigned long long>(gen.passes()), seconds,
                static_cast<unsigned long long>(seed));
    std::printf("lengths:");
    for (int n = 2; n <= 16; ++n)
        if (counts.byLength[n]) std::printf(" %d:%d", n, counts.byLength[n]);
    std::printf("\n");
    if (!compose) return 0;

    GridModel model;
    model.grat = GratFromScan(layout);
    model.slots = FindSlots(model.grat);
    if (!BuildCrossings(model.grat, model.slots)) return Fail("the layout has a crossing beyond a word's 16th letter");
    const fs::path home = ProgramFolder();
    PoolsResult pools = BuildPools(home, model.slots);
    if (!pools.ok()) return Fail(Cp1251ToUtf8(pools.error) + " (" + (home / "DICT").string() + ")");
    FillRunResult run = RunFill(model, pools.pools, rule, false, seed, fillLimit);
    PrintLayout(layout, &run.model.grat);
    const char* outcome = run.end == FillEnd::Finished     ? "filled"
                          : run.end == FillEnd::Failed     ? "failed"
                          : run.end == FillEnd::Unfillable ? "unfillable"
                                                           : "time limit reached";
    std::printf("%s: rule %s, slots %d, attempts %llu, time %.3f s\n", outcome, RuleName(rule), SlotCount(run.model.slots),
                static_cast<unsigned long long>(run.stats.attempts), run.seconds);
    if (run.end == FillEnd::Failed) return Fail("the filling failed: " + run.failure);
    if (run.end == FillEnd::Unfillable) std::printf("unfillable: %s\n", run.deadText.c_str());

    if (!folderCp.empty()) {
        DocToWrite doc;
        doc.kind = "Scan";
        doc.folder = folderCp;
        doc.grat = run.model.grat;
        doc.slots = run.model.slots;
        doc.finished = run.end == FillEnd::Finished;
        doc.layout = layout;
        const fs::path dir = LibraryFolderPath(home, doc.kind, doc.folder);
        std::error_code ec;
        fs::create_directories(dir, ec);
        doc.number = NextDocNumber(dir);
        ConsoleDialogs dialogs(stderr);
        if (ec || !WriteDoc(home, dialogs, doc)) {
            std::fprintf(stderr, "vezdar-cli scan-layout: not saved into %s\n", dir.string().c_str());
            return 1;
        }
        std::printf("saved %s\n", DocPath(home, doc.kind, doc.folder, doc.number, DocIsMarked(doc)).string().c_str());
    }
    return run.end == FillEnd::Finished ? 0 : run.end == FillEnd::Unfillable ? 4 : 3;
}

CliCommand reg{"scan-layout", "compose a scanword layout (and fill and save it)", ScanLayout};

} // namespace
} // namespace vez::cli
