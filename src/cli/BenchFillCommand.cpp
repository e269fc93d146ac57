// vezdar-cli bench fill GRIDFILES...: how fast and how reliably each selection rule fills grids.
#include "cli/Bench.h"
#include "cli/FillRun.h"
#include "compose/WordPool.h"
#include "platform/Text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <sstream>

namespace vez::cli {
namespace {

constexpr const char* kUsage =
    "usage: vezdar-cli bench fill [--runs N] [--time-limit SECONDS] [--rules follow,empty,max,zigzag,random,smart]\n"
    "                             [--direction forward|backward] [--seed N] GRIDFILES...\n"
    "Per grid and rule: share of runs filled within the limit, share proven unfillable (smart), median and\n"
    "95th-percentile time to either end (runs that reach neither count as slower than the limit), fill\n"
    "attempts and pool words scanned (smart: candidates removed) per second.\n";

int Fail(const std::string& msg) {
    std::fprintf(stderr, "vezdar-cli bench fill: %s\n", msg.c_str());
    return 2;
}

// The p-quantile (nearest rank) of times where unfilled runs are +inf.
double Quantile(std::vector<double> t, double p) {
    std::sort(t.begin(), t.end());
    std::size_t rank = static_cast<std::size_t>(std::ceil(p * t.size()));
    return t[std::clamp<std::size_t>(rank, 1, t.size()) - 1];
}

std::string Millis(double s) {
    if (std::isinf(s)) return "    >limit";
    char buf[32];
    std::snprintf(buf, sizeof buf, "%10.2f", s * 1000);
    return buf;
}

int BenchFill(const Args& args) {
    int runs = 20;
    double limit = 10;
    bool backward = false;
    std::uint64_t seed = 1;
    std::vector<TFillAlgorithm> rules = {TFillAlgorithm::Follow, TFillAlgorithm::Empty, TFillAlgorithm::Max,
                                         TFillAlgorithm::Zigzag, TFillAlgorithm::Random, TFillAlgorithm::Smart};
    std::vector<std::string> files;
    try {
        for (std::size_t i = 0; i < args.size(); ++i) {
            const std::string& a = args[i];
            auto value = [&]() -> const std::string& { return OptionValue(args, i); };
            if (a == "--help" || a == "-h") {
                std::fputs(kUsage, stdout);
                return 0;
            } else if (a == "--runs") {
                runs = std::stoi(value());
                if (runs < 1) return Fail("--runs is at least 1");
            } else if (a == "--time-limit") {
                limit = std::stod(value());
                if (!(limit > 0)) return Fail("the time limit is a positive number of seconds");
            } else if (a == "--direction") {
                const std::string& d = value();
                if (d != "forward" && d != "backward") return Fail("direction is forward or backward");
                backward = d == "backward";
            } else if (a == "--seed") {
                seed = std::stoull(value());
            } else if (a == "--rules") {
                rules.clear();
                std::stringstream ss(value());
                for (std::string r; std::getline(ss, r, ',');) {
                    auto rule = ParseRule(r);
                    if (!rule) return Fail("unknown rule '" + r + "'");
                    rules.push_back(*rule);
                }
            } else if (!a.empty() && a[0] == '-') {
                return Fail("unknown option " + a + "\n" + kUsage);
            } else {
                files.push_back(a);
            }
        }
    } catch (const std::exception& e) {
        return Fail(std::string("bad option value: ") + e.what());
    }
    if (files.empty()) return Fail(std::string("no grid files\n") + kUsage);

    const fs::path home = ProgramFolder();
    std::printf("%-16s %-7s %7s %7s %10s %10s %12s %14s\n", "grid", "rule", "filled", "proven", "median ms", "p95 ms",
                "attempts/s", "pool words/s");
    int status = 0;
    for (const std::string& file : files) {
        GridRequest req;
        SetGridFile(req, file);
        std::string error;
        auto model = LoadGrid(req, error);
        if (!model) {
            Fail(file + ": " + error);
            status = 2;
            continue;
        }
        PoolsResult pools = BuildPools(home, model->slots);
        if (!pools.ok()) return Fail(Cp1251ToUtf8(pools.error));
        for (TFillAlgorithm rule : rules) {
            std::vector<double> times;
            int filled = 0, proven = 0;
            double busy = 0;
            FillStats total;
            for (int r = 0; r < runs; ++r) {
                FillRunResult run = RunFill(*model, pools.pools, rule, backward, seed + r, limit);
                const bool ok = run.end == FillEnd::Finished || run.end == FillEnd::Unfillable;
                filled += run.end == FillEnd::Finished;
                proven += run.end == FillEnd::Unfillable;
                times.push_back(ok ? run.seconds : std::numeric_limits<double>::infinity());
                busy += run.seconds;
                total.attempts += run.stats.attempts;
                total.scanned += run.stats.scanned;
            }
            std::printf("%-16s %-7s %6.0f%% %6.0f%% %s %s %12.0f %14.0f\n", fs::path(file).filename().string().c_str(),
                        RuleName(rule), 100.0 * filled / runs, 100.0 * proven / runs, Millis(Quantile(times, 0.5)).c_str(),
                        Millis(Quantile(times, 0.95)).c_str(), total.attempts / busy, total.scanned / busy);
            std::fflush(stdout);
        }
    }
    return status;
}

BenchSubcommand reg{"fill", "fill grid files many times per selection rule and report the times", BenchFill};

} // namespace
} // namespace vez::cli
