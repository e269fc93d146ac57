// The commands of vezdar-cli. Each command file registers itself with one static CliCommand:
//   static vez::cli::CliCommand reg{"check-dict", "check the dictionary of the program folder", Run};
#pragma once

#include <functional>
#include <stdexcept>
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

// The value of the option args[i]: the next argument, consumed (i advances); throws
// std::invalid_argument when the option is the last argument.
inline const std::string& OptionValue(const Args& args, std::size_t& i) {
    if (i + 1 >= args.size()) throw std::invalid_argument(args[i] + " needs a value");
    return args[++i];
}

} // namespace vez::cli
