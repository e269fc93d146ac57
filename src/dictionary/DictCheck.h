// The dictionary check: validates DICT/dict.2 … dict.16 entry by entry, counts the dictionary
// statistics and tells the user what is wrong with a broken file.
//
// Each file is read in large blocks and split into lines with memchr; a line ends at LF (a CR just
// before it is dropped, a lone CR stays inside the line). The words seen in one file are kept in an
// open-addressing set of fixed-width keys (every accepted word of dict.N is exactly N <= 16 bytes,
// zero-padded to 16), so a membership test is a hash and one or two 16-byte compares. The first
// failing entry stops the whole check; its status, file and word line are reported.
#pragma once

#include "platform/Busy.h"
#include "platform/Clipboard.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace vez {

// Counters 1 … 98 (index 0 unused):
//   1 distinct words, 2–16 distinct words of length N, 17–48 distinct words by first letter,
//   49 largest of 2–16, 50 largest of 17–48, 51 entries, 52–66 entries of length N (at N + 50),
//   67–98 entries by first letter. A word counts once per file however many homonyms it has.
struct TDictStats {
    std::array<std::uint32_t, 99> c{};
    std::uint32_t& operator[](int i) { return c[static_cast<size_t>(i)]; }
    std::uint32_t operator[](int i) const { return c[static_cast<size_t>(i)]; }
    void Clear() { c.fill(0); }
    bool operator==(const TDictStats&) const = default;
};

// Index 17 … 48 of the first-letter counter of a word; a first byte below "а" (that is "ё")
// counts as "е". Add 50 for the entry counter.
inline int DictLetterSlot(unsigned char first) { return (first < 0xE0 ? 0xE5 : first) - 0xE0 + 17; }

// Check results.
inline constexpr int kDictOk = 0;
inline constexpr int kDictYoWarning = 1;
inline constexpr int kDictBadLength = -1;
inline constexpr int kDictNoLastDefinition = -2;
inline constexpr int kDictNotCyrillic = -3;
inline constexpr int kDictCapital = -4;
inline constexpr int kDictNoDefinition = -5;
inline constexpr int kDictReadError = -6;
inline constexpr int kDictEmptyWord = -7;
inline constexpr int kDictMissingFile = -10;

// What the process keeps about the dictionary between operations. The word list window shows
// Stats[1] as the word total.
struct DictState {
    TDictStats Stats;
    int DictCheckStatus = 0; // result of the last check
    bool DictReady = false;  // a check has passed in this run
};

// Outcome of the pass over the files, before anything is shown.
struct DictScanResult {
    int status = kDictOk;
    int file = 0;         // N of the file where the check stopped (0 when it went through)
    std::string wordLine; // the offending word line, whole, exactly as read
};

// The pass itself: files 2 … 16 in order, counters into `stats` (left as counted when it stops;
// the caller clears them), `fileDone(N)` after each file.
DictScanResult ScanDictionary(const fs::path& home, TDictStats& stats,
                              const std::function<void(int n)>& fileDone = {});

// Width of a Windows-1251 text in the font the message is shown in.
using TextWidthFn = std::function<int(std::string_view cp1251)>;

// The message the check shows for a result; empty text when there is none (status 0).
MsgBoxRequest DictCheckMessage(const DictScanResult& r, const TextWidthFn& width);

struct DictCheckEnv {
    Dialogs& dialogs;
    Clipboard& clipboard;
    Busy& busy;
    TextWidthFn textWidth; // empty: every character is as wide as "0"
    int progressMax = 100;
};

// The whole check as the user sees it: progress bar and hourglass while it runs, the counters, the
// status and DictReady in `state`, the offending line on the clipboard and the message. Returns
// the status.
int CheckDictionary(const fs::path& home, DictState& state, DictCheckEnv env);

// The dictionary command's gate: runs the check unless one has already passed in this run.
// True when the dictionary may be entered.
bool EnsureDictionaryChecked(const fs::path& home, DictState& state, DictCheckEnv env);

} // namespace vez
