// vezdar-cli import-thesaurus FILE [--skip LIST]: adds the words of a thesaurus to the program
// folder's DICT.
#include "cli/Command.h"
#include "dictionary/DictImport.h"

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
    auto run = vez::RunThesaurusImport(vez::ProgramFolder(), file, skipFile);
    if (run.exitStatus != 0) {
        std::fprintf(stderr, "vezdar-cli: %s\n", run.error.c_str());
        return run.exitStatus;
    }
    std::fputs(run.report.c_str(), stdout);
    return 0;
}

vez::cli::CliCommand reg{"import-thesaurus",
                         "add a thesaurus (FILE [--skip LIST of damaged words]) to the dictionary", Run};

} // namespace
