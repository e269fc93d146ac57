// Subcommands of `vezdar-cli bench`; each registers itself like a command:
//   static vez::cli::BenchSubcommand reg{"fill", "fill grids many times", Run};
#pragma once

#include "cli/Command.h"

namespace vez::cli {

struct BenchSubcommand {
    BenchSubcommand(std::string name, std::string summary, CommandFn fn);
};
std::vector<CommandInfo>& BenchRegistry();

} // namespace vez::cli
