#include "dictionary/WordListImport.h"

#include "dictionary/ThesaurusImport.h"
#include "platform/Text.h"

namespace vez {

namespace {

constexpr size_t kSkippedLinesShown = 10;

} // namespace

WordListImport ParseWordList(std::string_view bytes) {
    std::string text;
    if (IsValidUtf8(bytes)) {
        if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
        text = Utf8ToCp1251(bytes);
    } else {
        text.assign(bytes);
    }
    WordListImport out;
    int lineNo = 0;
    ForEachLine(text, [&](std::string_view line) {
        ++lineNo;
        if (TrimSpaceControl(line).empty() || TrimSpaceControl(line).starts_with('#')) return;
        size_t tab = line.find('\t');
        std::string word =
            tab == std::string_view::npos ? std::string{} : NormalizeDictWord(TrimSpaceControl(line.substr(0, tab)));
        std::string_view def;
        if (tab != std::string_view::npos) {
            std::string_view rest = line.substr(tab + 1);
            def = TrimSpaceControl(rest.substr(0, rest.find('\t')));
        }
        if (!IsDictWord(word) || def.empty()) {
            ++out.skipped;
            if (out.skippedLines.size() < kSkippedLinesShown) out.skippedLines.push_back(lineNo);
            return;
        }
        out.entries.push_back({std::move(word), std::string(def)});
    });
    return out;
}

WordListImport ReadWordList(const fs::path& file) {
    std::error_code ec;
    WordListImport r;
    if (!fs::is_regular_file(file, ec)) {
        r.error = "no such file";
        return r;
    }
    auto bytes = ReadFileBytes(file);
    if (!bytes) {
        r.error = "cannot be read";
        return r;
    }
    return ParseWordList(*bytes);
}

} // namespace vez
