// Adds imported entries to the dictionary files DICT/dict.2 … dict.16 without losing or repeating
// anything: every existing line is kept, an entry whose word and definition are already there is
// not added again, a new definition of a known word goes directly before that word's first entry
// (so homonyms stay together), a new word is appended, and missing files are created (empty ones
// too, since the dictionary needs all fifteen).
//
// Everything is read and checked before the first file is written; each file is then replaced in
// one step through DICT/promt.
#pragma once

#include "dictionary/DictFile.h"

#include <array>
#include <string>
#include <vector>

namespace vez {

struct DictMergeResult {
    // Indexed by word length 2 … 16.
    std::array<int, kMaxDictLen + 1> words{};   // distinct words among the imported entries
    std::array<int, kMaxDictLen + 1> entries{}; // imported entries (without repeats)
    std::array<int, kMaxDictLen + 1> added{};   // entries written into the dictionary
    std::string error;                          // empty on success; one line, plain ASCII
    bool Ok() const { return error.empty(); }
    int TotalWords() const;
    int TotalAdded() const;
};

// `entries` must hold dictionary words (2–16 letters а … я) and non-empty definitions.
DictMergeResult MergeIntoDictionary(const fs::path& home, const std::vector<TDictEntry>& entries);

// The per-length table a command prints after an import.
std::string MergeSummary(const DictMergeResult& r);

} // namespace vez
