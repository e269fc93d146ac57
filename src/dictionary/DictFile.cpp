#include "dictionary/DictFile.h"

namespace vez {

fs::path DictFolder(const fs::path& home) { return home / "DICT"; }

fs::path DictPath(const fs::path& home, int n) { return DictFolder(home) / ("dict." + std::to_string(n)); }

std::vector<TDictEntry> ParseDictEntries(std::string_view text) {
    std::vector<TDictEntry> out;
    bool wantWord = true;
    ForEachLine(text, [&](std::string_view line) {
        if (wantWord)
            out.push_back({std::string(line), {}});
        else
            out.back().Definition.assign(line);
        wantWord = !wantWord;
    });
    return out;
}

std::optional<std::vector<TDictEntry>> ReadDictEntries(const fs::path& file) {
    auto bytes = ReadFileBytes(file);
    if (!bytes) return std::nullopt;
    return ParseDictEntries(*bytes);
}

} // namespace vez
