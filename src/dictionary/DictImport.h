// The import commands as whole operations: read and check the input completely, then merge it into
// the program folder's DICT. Bad input (exit status 2) leaves DICT exactly as it was.
#pragma once

#include "dictionary/DictMerge.h"

#include <string>

namespace vez {

struct ImportRun {
    int exitStatus = 0; // 0 done, 1 the dictionary could not be read or written, 2 bad input
    std::string error;  // one line for stderr when exitStatus != 0
    std::string report; // the per-length table (and skipped lines) when done
    DictMergeResult merge;
};

// `skipList` (may be empty) names the list of damaged spots of the thesaurus.
ImportRun RunThesaurusImport(const fs::path& home, const fs::path& file, const fs::path& skipList = {});
ImportRun RunWordListImport(const fs::path& home, const fs::path& file);

} // namespace vez
