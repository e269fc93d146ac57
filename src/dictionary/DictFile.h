// The dictionary files DICT/dict.2 … dict.16 (entries: a word line and a definition line) and
// DICT/dict.1 (words waiting for a definition), and the shared way every reader reads them.
#pragma once

#include "platform/Files.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vez {

inline constexpr int kMinDictLen = 2;
inline constexpr int kMaxDictLen = 16;

struct TDictEntry {
    std::string Word;       // the word line exactly as read
    std::string Definition; // exactly as read; a trailing space marks a quoted entry
    bool Quoted() const { return !Definition.empty() && Definition.back() == ' '; }
};

fs::path DictFolder(const fs::path& home);
// DICT/dict.N (N = 1 is the list of words without definitions).
fs::path DictPath(const fs::path& home, int n);

// Splits text into lines ending at CR LF or a bare LF; a final line without an end is a line too.
// A lone CR inside a line stays part of it.
template <class F>
void ForEachLine(std::string_view text, F&& f) {
    size_t pos = 0;
    while (pos < text.size()) {
        size_t lf = text.find('\n', pos);
        size_t end = lf == std::string_view::npos ? text.size() : lf;
        size_t len = end - pos;
        if (lf != std::string_view::npos && len > 0 && text[end - 1] == '\r') --len;
        f(text.substr(pos, len));
        if (lf == std::string_view::npos) break;
        pos = lf + 1;
    }
}

// Entries of one dict.N; a word line that is the last line gets an empty definition.
// nullopt when the file cannot be read.
std::optional<std::vector<TDictEntry>> ReadDictEntries(const fs::path& file);
std::vector<TDictEntry> ParseDictEntries(std::string_view text);

} // namespace vez
