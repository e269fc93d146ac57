// vezdar-cli: the core's operations from the command line.
#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0) {
        std::puts("usage: vezdar-cli COMMAND [options]");
        return argc < 2 ? 2 : 0;
    }
    std::fprintf(stderr, "vezdar-cli: unknown command '%s'\n", argv[1]);
    return 2;
}
