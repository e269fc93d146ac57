// vezdar-cli import-words FILE: adds a list of "word<TAB>definition" lines to the program folder's DICT.
#include "cli/Command.h"
#include "dictionary/DictMerge.h"
#include "dictionary/WordListImport.h"

#include <cstdio>

namespace {

int Run(const vez::cli::Args& args) {
    if (args.size() != 1) {
        std::fputs("usage: vezdar-cli import-words FILE\n", stderr);
        return 2;
    }
    auto list = vez::ReadWordList(args[0]);
    if (!list.Ok()) {
        std::fprintf(stderr, "vezdar-cli: word list %s: %s\n", args[0].c_str(), list.error.c_str());
        return 2;
    }
    auto home = vez::ProgramFolder();
    auto r = vez::MergeIntoDictionary(home, list.entries);
    if (!r.Ok()) {
        std::fprintf(stderr, "vezdar-cli: %s: %s\n", (home / "DICT").c_str(), r.error.c_str());
        return 1;
    }
    std::fputs(vez::MergeSummary(r).c_str(), stdout);
    if (list.skipped > 0) {
        std::printf("skipped %d line(s) that are not \"word<TAB>definition\" with a word of 2-16 Russian letters:",
                    list.skipped);
        for (int n : list.skippedLines) std::printf(" %d", n);
        std::puts(list.skipped > static_cast<int>(list.skippedLines.size()) ? " ..." : "");
    }
    return 0;
}

vez::cli::CliCommand reg{"import-words", "add a word list (FILE of word<TAB>definition lines) to the dictionary",
                         Run};

} // namespace
