// vezdar-cli check-dict [FOLDER]: the dictionary check of the program folder (or FOLDER), with the
// messages the program would show, the status and every counter.
#include "cli/Command.h"
#include "cli/ConsoleDialogs.h"
#include "dictionary/DictCheck.h"
#include "platform/Text.h"

#include <chrono>
#include <cstdio>
#include <string>

namespace vez::cli {

namespace {

// The clipboard of a terminal is the output: the offending line is already in the message.
class NoClipboard : public Clipboard {
public:
    void SetText(const std::string&) override {}
};

void PrintRange(const TDictStats& st, const char* title, int from, int to, bool byLetter) {
    std::printf("%s:", title);
    for (int i = from; i <= to; ++i) {
        const std::string key = byLetter ? Cp1251ToUtf8(std::string(1, static_cast<char>(0xE0 + i - from)))
                                         : std::to_string(i - from + 2);
        std::printf(" %s=%u", key.c_str(), st[i]);
    }
    std::printf("\n");
}

int Run(const Args& args) {
    if (args.size() > 1 || (args.size() == 1 && (args[0] == "-h" || args[0] == "--help"))) {
        std::puts("usage: vezdar-cli check-dict [FOLDER]\n"
                  "Checks FOLDER/DICT/dict.2 ... dict.16 (default: the program folder) and prints the\n"
                  "messages, the status and the counters. Exit status 0 when the check passes, 1 when not.");
        return args.size() == 1 ? 0 : 2;
    }
    const fs::path home = args.empty() ? ProgramFolder() : fs::path(args[0]);
    std::printf("dictionary: %s\n", (home / "DICT").c_str());

    ConsoleDialogs dialogs;
    NoClipboard clipboard;
    Busy busy;
    DictState state;
    // A terminal shows every character equally wide.
    TextWidthFn width = [](std::string_view s) { return static_cast<int>(s.size()); };
    const auto t0 = std::chrono::steady_clock::now();
    const int status = CheckDictionary(home, state, {dialogs, clipboard, busy, width, 100});
    const auto ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();

    const TDictStats& st = state.Stats;
    std::printf("status: %d\n", status);
    std::printf("words (1): %u\n", st[1]);
    PrintRange(st, "words by length (2-16)", 2, 16, false);
    PrintRange(st, "words by first letter (17-48)", 17, 48, true);
    std::printf("largest by length (49): %u\nlargest by letter (50): %u\n", st[49], st[50]);
    std::printf("entries (51): %u\n", st[51]);
    PrintRange(st, "entries by length (52-66)", 52, 66, false);
    PrintRange(st, "entries by first letter (67-98)", 67, 98, true);
    std::printf("time: %.1f ms\n", ms);
    return status >= 0 ? 0 : 1;
}

CliCommand reg{"check-dict", "check the dictionary files and print the counters", Run};

} // namespace

} // namespace vez::cli
