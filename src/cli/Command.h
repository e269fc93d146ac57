// The commands of vezdar-cli. Each command file registers itself with one static CliCommand:
//   static vez::cli::CliCommand reg{"check-dict", "check the dictionary of the program folder", Run};
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace vez::cli {

using Args = std::vector<std::string>;
// Returns the exit status.
using CommandFn = std::function<int(const Args& args)>;

struct CliCommand {
    CliCommand(std::string name, std::string summary, CommandFn fn);
};

struct CommandInfo {
    std::string name, summary;
    CommandFn fn;
};
std::vector<CommandInfo>& Registry();

} // namespace vez::cli
