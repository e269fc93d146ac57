// vezdar-cli import-words FILE: adds a list of "word<TAB>definition" lines to the program folder's DICT.
#include "cli/Command.h"
#include "dictionary/DictImport.h"

#include <cstdio>

namespace {

int Run(const vez::cli::Args& args) {
    if (args.size() != 1) {
        std::fputs("usage: vezdar-cli import-words FILE\n", stderr);
        return 2;
    }
    auto run = vez::RunWordListImport(vez::ProgramFolder(), args[0]);
    if (run.exitStatus != 0) {
        std::fprintf(stderr, "vezdar-cli: %s\n", run.error.c_str());
        return run.exitStatus;
    }
    std::fputs(run.report.c_str(), stdout);
    return 0;
}

vez::cli::CliCommand reg{"import-words",
                         "add a word list (FILE of word<TAB>definition lines) to the dictionary", Run};

} // namespace
