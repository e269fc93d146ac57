// Writing the dictionary files: rewrites through DICT/promt and plain appends. Every writer of
// dict.N and dict.1 goes through these two ways.
#pragma once

#include "dictionary/DictFile.h"

#include <functional>
#include <string>
#include <vector>

namespace vez {

// A change over all lines of a file (without their line ends); false cancels the rewrite.
using DictLinesChange = std::function<bool(std::vector<std::string>& lines)>;
// A change over the entries of a dict.N; false cancels the rewrite.
using DictEntriesChange = std::function<bool(std::vector<TDictEntry>& entries)>;

// Copies `file` with the change into promt beside it, then replaces `file` with it in one rename.
// Lines are written with CR LF. A dict.1 left without lines is deleted. On any failure (source
// unreadable, change refused, promt not writable, rename refused) promt is gone, `file` is as it
// was and false is returned; the caller shows its own message.
bool ReplaceDictFile(const fs::path& file, const DictLinesChange& change);
bool ReplaceDictEntries(const fs::path& file, const DictEntriesChange& change);

// Adds lines (CR LF) at the end of `file`, creating it when missing (dict.1). A last line left
// without its end by a text editor is ended first, so the new lines never join it. On failure the
// file is cut back to what it was and false is returned.
bool AppendDictLines(const fs::path& file, const std::vector<std::string>& lines);

} // namespace vez
