// vezdar-cli write-default-ini PATH: writes a complete Vezd.ini with every key at its default.
#include "settings/Config.h"
#include "cli/Command.h"

#include <cstdio>
#include <system_error>

namespace {

int Run(const vez::cli::Args& args) {
    if (args.size() != 1) {
        std::fputs("usage: vezdar-cli write-default-ini PATH\n", stderr);
        return 2;
    }
    const vez::fs::path path = args[0];
    std::error_code ec;
    if (vez::fs::exists(path, ec)) {
        std::fprintf(stderr, "write-default-ini: %s already exists; it is left as it is\n", path.c_str());
        return 1;
    }
    if (!vez::WriteDefaultIni(path)) {
        std::fprintf(stderr, "write-default-ini: cannot write %s\n", path.c_str());
        return 1;
    }
    return 0;
}

vez::cli::CliCommand reg{"write-default-ini", "write a Vezd.ini with every setting at its default", Run};

} // namespace
