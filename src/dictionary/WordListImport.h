// Reads a user's word list: one "word<TAB>definition" line per entry, in UTF-8 when the whole file
// is valid UTF-8 and in Windows-1251 otherwise. Words are lower-cased with ё → е; both fields are
// trimmed, and a third column or more is ignored. Blank lines and lines starting with '#' are
// comments. A line whose word is not 2–16 letters а … я, or whose definition is empty, is skipped
// and counted.
#pragma once

#include "dictionary/DictFile.h"

#include <string>
#include <string_view>
#include <vector>

namespace vez {

struct WordListImport {
    std::vector<TDictEntry> entries; // Windows-1251, in the order of the file
    int skipped = 0;                 // lines skipped as not being an entry
    std::vector<int> skippedLines;   // the first few of them (1-based), to point the user at
    std::string error;               // empty on success; one line, plain ASCII
    bool Ok() const { return error.empty(); }
};

WordListImport ParseWordList(std::string_view fileBytes);
WordListImport ReadWordList(const fs::path& file);

} // namespace vez
