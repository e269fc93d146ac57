// vezdar-cli bench SUBCOMMAND: measurements of the core on real data.
#include "cli/Bench.h"

#include <cstdio>

namespace vez::cli {

std::vector<CommandInfo>& BenchRegistry() {
    static std::vector<CommandInfo> r;
    return r;
}

BenchSubcommand::BenchSubcommand(std::string name, std::string summary, CommandFn fn) {
    BenchRegistry().push_back({std::move(name), std::move(summary), std::move(fn)});
}

namespace {
int Bench(const Args& args) {
    if (!args.empty())
        for (auto& c : BenchRegistry())
            if (c.name == args[0]) return c.fn(Args(args.begin() + 1, args.end()));
    std::puts("usage: vezdar-cli bench SUBCOMMAND [options]\n\nsubcommands:");
    for (auto& c : BenchRegistry()) std::printf("  %-10s %s\n", c.name.c_str(), c.summary.c_str());
    return args.empty() || args[0] == "--help" ? 0 : 2;
}
CliCommand reg{"bench", "measure the core (bench fill …)", Bench};
} // namespace

} // namespace vez::cli
