// Runs the built vezdar-cli from a test and collects its exit status and output.
#pragma once

#include "platform/Files.h"

#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace vez::test {

// vezdar-cli beside the tests folder of the build tree; empty when it was not built.
inline fs::path CliPath() {
    std::error_code ec;
    fs::path p = fs::read_symlink("/proc/self/exe", ec).parent_path().parent_path() / "vezdar-cli";
    return fs::exists(p) ? p : fs::path();
}

struct CliRun {
    int status = -1;
    std::string out; // stdout and stderr together
};

inline CliRun RunCli(const std::string& args) {
    CliRun r;
    FILE* f = ::popen((CliPath().string() + " " + args + " 2>&1").c_str(), "r");
    if (!f) return r;
    char buf[4096];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;)
        r.out.append(buf, n);
    const int st = ::pclose(f);
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    return r;
}

} // namespace vez::test
