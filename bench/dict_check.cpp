// The dictionary check on a generated dictionary of 1,000,000 entries, next to `wc -l` on the same
// files in the same run (the floor set by just reading the files and finding their line ends).
// The dictionary imitates a real one: word lengths spread as in the Russian thesaurus, letters by
// their Russian frequency, one entry in eight a further definition of the word before it,
// definitions of about forty bytes. After the runs the median times and their ratio are printed.
#include "dictionary/DictCheck.h"
#include "dictionary/DictFile.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <map>
#include <random>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using namespace vez;

constexpr int kEntries = 1'000'000;

struct GeneratedDict {
    fs::path home;
    std::vector<std::string> files;
    std::uint64_t bytes = 0;

    bool keep = false;

    // $VEZDAR_BENCH_DICT names a folder to generate into and keep (for looking at the files or
    // timing other tools on them); otherwise a temporary folder is used and removed.
    GeneratedDict() {
        if (const char* dir = std::getenv("VEZDAR_BENCH_DICT"); dir && *dir) {
            home = dir;
            keep = true;
        } else {
            home = fs::temp_directory_path() / ("vezdar-bench-dict-" + std::to_string(::getpid()));
        }
        fs::create_directories(home / "DICT");
        std::mt19937_64 rng(20261210);
        // Per mille of the words of each length 2 … 16 among the thesaurus headwords and synonyms.
        std::discrete_distribution<int> length(
            {1, 7, 24, 53, 78, 110, 138, 142, 136, 111, 83, 54, 36, 18, 10});
        // а … я by frequency in Russian text (per ten thousand); no word starts with ъ, ы or ь.
        const std::vector<double> freq = {801, 159, 454, 170, 298, 845, 94,  165, 735, 121, 349,
                                          440, 321, 670, 1097, 281, 473, 547, 626, 262, 26,  97,
                                          48,  144, 73,  36,  4,   190, 174, 32,  64,  201};
        std::discrete_distribution<int> letter(freq.begin(), freq.end());
        std::vector<double> firstFreq = freq;
        firstFreq[26] = firstFreq[27] = firstFreq[28] = 0;
        std::discrete_distribution<int> firstLetter(firstFreq.begin(), firstFreq.end());
        auto word = [&](int n) {
            std::string w(static_cast<size_t>(n), ' ');
            w[0] = static_cast<char>(0xE0 + firstLetter(rng));
            for (int i = 1; i < n; ++i) w[static_cast<size_t>(i)] = static_cast<char>(0xE0 + letter(rng));
            return w;
        };
        // Definitions are made of a pool of short words.
        std::vector<std::string> pool;
        std::uniform_int_distribution<int> poolLen(2, 9);
        for (int i = 0; i < 20000; ++i) pool.push_back(word(poolLen(rng)));
        std::uniform_int_distribution<size_t> poolPick(0, pool.size() - 1);
        std::uniform_int_distribution<size_t> defLen(30, 50);
        std::bernoulli_distribution homonym(0.125);

        std::map<int, std::string> text;
        std::map<int, std::string> last;
        for (int e = 0; e < kEntries; ++e) {
            const int n = 2 + length(rng);
            std::string& out = text[n];
            std::string w = !last[n].empty() && homonym(rng) ? last[n] : word(n);
            last[n] = w;
            std::string def;
            const size_t target = defLen(rng);
            while (def.size() < target) def += (def.empty() ? "" : " ") + pool[poolPick(rng)];
            def[0] = static_cast<char>(static_cast<unsigned char>(def[0]) - 0x20); // capital first letter
            out += w + "\r\n" + def + "\r\n";
        }
        for (int n = kMinDictLen; n <= kMaxDictLen; ++n) {
            const fs::path p = DictPath(home, n);
            WriteFileBytes(p, text[n]);
            files.push_back(p.string());
            bytes += text[n].size();
        }
    }
    ~GeneratedDict() {
        std::error_code ec;
        if (!keep) fs::remove_all(home, ec);
    }
};

GeneratedDict& Dict() {
    static GeneratedDict d;
    return d;
}

class SilentDialogs : public Dialogs {
public:
    int ShowMsgBox(const MsgBoxRequest&, std::string*) override { return ++shown, kBtnOK; }
    int shown = 0;
};
class NoClipboard : public Clipboard {
public:
    void SetText(const std::string&) override {}
};

void BM_CheckDictionary(benchmark::State& state) {
    GeneratedDict& d = Dict();
    SilentDialogs dialogs;
    NoClipboard clipboard;
    Busy busy;
    DictState ds;
    for (auto _ : state) {
        ds.DictCheckStatus = 0;
        benchmark::DoNotOptimize(CheckDictionary(d.home, ds, {dialogs, clipboard, busy, {}, 100}));
    }
    if (ds.DictCheckStatus != 0 || dialogs.shown != 0 || ds.Stats[51] != kEntries)
        state.SkipWithError("the generated dictionary did not pass the check");
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * d.bytes));
    state.counters["words"] = ds.Stats[1];
    state.counters["entries"] = ds.Stats[51];
}

// `wc -l` on the same fifteen files, started directly (no shell), its output thrown away.
void BM_WcLines(benchmark::State& state) {
    GeneratedDict& d = Dict();
    std::vector<char*> argv = {const_cast<char*>("wc"), const_cast<char*>("-l")};
    for (auto& f : d.files) argv.push_back(f.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    for (auto _ : state) {
        pid_t pid = 0;
        int status = 0;
        if (posix_spawnp(&pid, "wc", &actions, nullptr, argv.data(), environ) != 0 ||
            ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("wc -l failed");
            break;
        }
    }
    posix_spawn_file_actions_destroy(&actions);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * d.bytes));
}

BENCHMARK(BM_CheckDictionary)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(15);
BENCHMARK(BM_WcLines)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(15);

// Remembers the median of each benchmark to print their ratio at the end.
class MedianReporter : public benchmark::ConsoleReporter {
public:
    using ConsoleReporter::ConsoleReporter;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const auto& r : runs)
            if (r.run_type == Run::RT_Aggregate && r.aggregate_name == "median")
                medians[r.run_name.function_name] = r.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> medians;
};

} // namespace

int main(int argc, char** argv) {
    // The check and wc alternate, so that a busy machine slows both alike.
    std::vector<char*> args(argv, argv + argc);
    std::string interleave = "--benchmark_enable_random_interleaving=true";
    args.insert(args.begin() + 1, interleave.data());
    int n = static_cast<int>(args.size());
    benchmark::Initialize(&n, args.data());
    GeneratedDict& d = Dict();
    std::printf("dictionary: %d entries, %.1f MB in %s\n", kEntries, static_cast<double>(d.bytes) / 1e6,
                (d.home / "DICT").c_str());
    MedianReporter reporter(::isatty(1) ? benchmark::ConsoleReporter::OO_Defaults
                                        : benchmark::ConsoleReporter::OO_Tabular);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    auto check = reporter.medians.find("BM_CheckDictionary");
    auto wc = reporter.medians.find("BM_WcLines");
    if (check != reporter.medians.end() && wc != reporter.medians.end() && wc->second > 0)
        std::printf("median check %.1f ms, median wc -l %.1f ms, ratio %.2f\n", check->second, wc->second,
                    check->second / wc->second);
    benchmark::Shutdown();
    return 0;
}
