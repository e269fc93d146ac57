// vezdar-cli bench scan: passes per second of the scanword layout generation and the time to a
// complete layout over many seeds, per size, composition area and short-word check.
#include "cli/Bench.h"
#include "scanword/ScanGenerator.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <limits>
#include <sstream>

namespace vez::cli {
namespace {

constexpr const char* kUsage =
    "usage: vezdar-cli bench scan [--seeds N] [--time-limit SECONDS] [--seed FIRST] [--case WxH:Q:on|off ...]\n"
    "Per case: layouts completed within the limit, median and 95th-percentile time to a complete layout\n"
    "(runs not completed count as slower than the limit), median passes, passes per second.\n"
    "Without --case: 15x10 with Q = 5, 7, 8 and 30x20, 40x40 with Q = 7, short-word check on and off.\n";

int Fail(const std::string& msg) {
    std::fprintf(stderr, "vezdar-cli bench scan: %s\n", msg.c_str());
    return 2;
}

struct Case {
    int width = 15, height = 10, area = 7;
    bool shortCheck = true;
    int seeds = 0; // 0: --seeds
};

bool ParseCase(const std::string& s, Case& c) {
    char onoff[8] = {};
    int seeds = 0;
    const int n = std::sscanf(s.c_str(), "%dx%d:%d:%3[a-z]:%d", &c.width, &c.height, &c.area, onoff, &seeds);
    if (n < 4) return false;
    c.seeds = n == 5 ? seeds : 0;
    c.shortCheck = std::string(onoff) == "on";
    return (c.shortCheck || std::string(onoff) == "off") && c.width >= kScanMinSide && c.width <= kScanMaxSide &&
           c.height >= kScanMinSide && c.height <= kScanMaxSide && c.area >= 5 && c.area <= 8;
}

double Quantile(std::vector<double> t, double p) {
    std::sort(t.begin(), t.end());
    const std::size_t rank = static_cast<std::size_t>(std::ceil(p * static_cast<double>(t.size())));
    return t[std::clamp<std::size_t>(rank, 1, t.size()) - 1];
}

std::string Seconds(double s) {
    if (std::isinf(s)) return "    >limit";
    char buf[32];
    std::snprintf(buf, sizeof buf, "%10.3f", s);
    return buf;
}

int BenchScan(const Args& args) {
    int seeds = 20;
    double limit = 120;
    std::uint64_t firstSeed = 1;
    std::vector<Case> cases;
    try {
        for (std::size_t i = 0; i < args.size(); ++i) {
            const std::string& a = args[i];
            auto value = [&]() -> const std::string& { return OptionValue(args, i); };
            if (a == "--help" || a == "-h") {
                std::fputs(kUsage, stdout);
                return 0;
            } else if (a == "--seeds") {
                seeds = std::stoi(value());
                if (seeds < 1) return Fail("--seeds is at least 1");
            } else if (a == "--time-limit") {
                limit = std::stod(value());
                if (!(limit > 0)) return Fail("the time limit is a positive number of seconds");
            } else if (a == "--seed") {
                firstSeed = std::stoull(value());
            } else if (a == "--case") {
                Case c;
                if (!ParseCase(value(), c)) return Fail("a case is WxH:Q:on|off[:SEEDS], sizes 4 … 40, Q 5 … 8");
                cases.push_back(c);
            } else {
                return Fail("unknown option " + a + "\n" + kUsage);
            }
        }
    } catch (const std::exception& e) {
        return Fail(std::string("bad option value: ") + e.what());
    }
    if (cases.empty())
        for (bool on : {false, true})
            for (Case c : {Case{15, 10, 5}, Case{15, 10, 7}, Case{15, 10, 8}, Case{30, 20, 7}, Case{40, 40, 7}}) {
                c.shortCheck = on;
                cases.push_back(c);
            }

    using Clock = std::chrono::steady_clock;
    // The machine may be shared: passes per second are given per second of wall time and of this
    // process's processor time.
    std::printf("%-7s %2s %-5s %5s %9s %10s %10s %12s %12s %12s\n", "size", "Q", "short", "seeds", "complete",
                "median s", "p95 s", "median pass", "passes/s", "passes/cpu-s");
    for (const Case& c : cases) {
        ScanOptions opt;
        opt.area = c.area;
        opt.shortCheck = c.shortCheck;
        const int runs = c.seeds ? c.seeds : seeds;
        std::vector<double> times, passes;
        int complete = 0;
        double busy = 0, totalPasses = 0;
        const std::clock_t cpuStart = std::clock();
        for (int r = 0; r < runs; ++r) {
            ExcludedMap ex{};
            ScanGenerator g(c.width, c.height, ex, opt, firstSeed + static_cast<std::uint64_t>(r));
            const auto start = Clock::now();
            const auto deadline = start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(limit));
            std::uint32_t tick = 0;
            // The clock is read every 1024 passes, as the builder window does.
            const bool done = g.Run([&] { return (++tick & 1023) != 0 || Clock::now() < deadline; });
            const double s = std::chrono::duration<double>(Clock::now() - start).count();
            busy += s;
            totalPasses += static_cast<double>(g.passes());
            complete += done;
            times.push_back(done ? s : std::numeric_limits<double>::infinity());
            passes.push_back(done ? static_cast<double>(g.passes()) : std::numeric_limits<double>::infinity());
        }
        char size[16];
        std::snprintf(size, sizeof size, "%dx%d", c.width, c.height);
        const double cpu = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
        const double medPasses = Quantile(passes, 0.5);
        std::printf("%-7s %2d %-5s %5d %8.0f%% %s %s %12s %12.0f %12.0f\n", size, c.area, c.shortCheck ? "on" : "off",
                    runs, 100.0 * complete / runs, Seconds(Quantile(times, 0.5)).c_str(),
                    Seconds(Quantile(times, 0.95)).c_str(),
                    std::isinf(medPasses) ? ">limit" : std::to_string(static_cast<long long>(medPasses)).c_str(),
                    totalPasses / busy, cpu > 0 ? totalPasses / cpu : 0.0);
        std::fflush(stdout);
    }
    return 0;
}

BenchSubcommand reg{"scan", "compose scanword layouts over many seeds and report the times", BenchScan};

} // namespace
} // namespace vez::cli
