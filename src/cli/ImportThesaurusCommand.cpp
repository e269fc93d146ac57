// vezdar-cli import-thesaurus FILE: adds the words of a thesaurus to the program folder's DICT.
#include "cli/Command.h"
#include "dictionary/DictMerge.h"
#include "dictionary/ThesaurusImport.h"

#include <cstdio>
#include <string>

namespace {

int Run(const vez::cli::Args& args) {
    std::string file, skipFile;
    bool bad = false;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--skip" && i + 1 < args.size())
            skipFile = args[++i];
        else if (file.empty() && !args[i].starts_with("--"))
            file = args[i];
        else
            bad = true;
    }
    if (file.empty() || bad) {
        std::fputs("usage: vezdar-cli import-thesaurus FILE [--skip LIST]\n", stderr);
        return 2;
    }
    vez::ThesaurusSkips skips;
    if (!skipFile.empty()) {
        auto bytes = vez::ReadFileBytes(skipFile);
        if (!bytes) {
            std::fprintf(stderr, "vezdar-cli: list of damaged words %s cannot be read\n", skipFile.c_str());
            return 2;
        }
        skips = vez::ParseThesaurusSkips(*bytes);
    }
    // The whole thesaurus is read and checked before DICT is opened, so bad input changes nothing.
    auto th = vez::ReadThesaurus(file, skips);
    if (!th.Ok()) {
        std::fprintf(stderr, "vezdar-cli: thesaurus %s: %s\n", file.c_str(), th.error.c_str());
        return 2;
    }
    auto home = vez::ProgramFolder();
    auto r = vez::MergeIntoDictionary(home, th.entries);
    if (!r.Ok()) {
        std::fprintf(stderr, "vezdar-cli: %s: %s\n", (home / "DICT").c_str(), r.error.c_str());
        return 1;
    }
    std::fputs(vez::MergeSummary(r).c_str(), stdout);
    return 0;
}

vez::cli::CliCommand reg{"import-thesaurus", "add the words of a thesaurus (FILE [--skip LIST of damaged words]) to the dictionary", Run};

} // namespace
