// vezdar-cli: the core's operations from the command line.
#include "cli/Command.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace vez::cli {
std::vector<CommandInfo>& Registry() {
    static std::vector<CommandInfo> r;
    return r;
}
CliCommand::CliCommand(std::string name, std::string summary, CommandFn fn) {
    Registry().push_back({std::move(name), std::move(summary), std::move(fn)});
}
} // namespace vez::cli

int main(int argc, char** argv) {
    using namespace vez::cli;
    auto& reg = Registry();
    std::sort(reg.begin(), reg.end(), [](auto& a, auto& b) { return a.name < b.name; });
    std::string cmd = argc > 1 ? argv[1] : "";
    if (cmd.empty() || cmd == "--help" || cmd == "-h" || cmd == "help") {
        std::puts("usage: vezdar-cli COMMAND [options]\n\ncommands:");
        for (auto& c : reg) std::printf("  %-18s %s\n", c.name.c_str(), c.summary.c_str());
        return cmd.empty() ? 2 : 0;
    }
    for (auto& c : reg)
        if (c.name == cmd) return c.fn(Args(argv + 2, argv + argc));
    std::fprintf(stderr, "vezdar-cli: unknown command '%s' (see vezdar-cli --help)\n", cmd.c_str());
    return 2;
}
