#include "dictionary/DictImport.h"

#include "dictionary/ThesaurusImport.h"
#include "dictionary/WordListImport.h"

namespace vez {

namespace {

ImportRun Merge(const fs::path& home, const std::vector<TDictEntry>& entries) {
    ImportRun run;
    run.merge = MergeIntoDictionary(home, entries);
    if (!run.merge.Ok()) {
        run.exitStatus = 1;
        run.error = (home / "DICT").string() + ": " + run.merge.error;
        return run;
    }
    run.report = MergeSummary(run.merge);
    return run;
}

ImportRun BadInput(std::string error) {
    ImportRun run;
    run.exitStatus = 2;
    run.error = std::move(error);
    return run;
}

} // namespace

ImportRun RunThesaurusImport(const fs::path& home, const fs::path& file, const fs::path& skipList) {
    ThesaurusSkips skips;
    if (!skipList.empty()) {
        auto bytes = ReadFileBytes(skipList);
        if (!bytes) return BadInput("list of damaged words " + skipList.string() + ": cannot be read");
        skips = ParseThesaurusSkips(*bytes);
    }
    auto th = ReadThesaurus(file, skips);
    if (!th.Ok()) return BadInput("thesaurus " + file.string() + ": " + th.error);
    return Merge(home, th.entries);
}

ImportRun RunWordListImport(const fs::path& home, const fs::path& file) {
    auto list = ReadWordList(file);
    if (!list.Ok()) return BadInput("word list " + file.string() + ": " + list.error);
    ImportRun run = Merge(home, list.entries);
    if (run.exitStatus == 0 && list.skipped > 0) {
        run.report += "skipped ";
        run.report += std::to_string(list.skipped);
        run.report += " line(s) that are not \"word<TAB>definition\" with a word of 2-16 Russian letters:";
        for (int n : list.skippedLines) {
            run.report += ' ';
            run.report += std::to_string(n);
        }
        if (list.skipped > static_cast<int>(list.skippedLines.size())) run.report += " ...";
        run.report += "\n";
    }
    return run;
}

} // namespace vez
