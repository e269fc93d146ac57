// Turns a synonym thesaurus into dictionary entries, so that a new program folder starts with a
// dictionary of its own.
//
// The thesaurus is a text file whose first line names its encoding (UTF-8 or Windows-1251); every
// entry follows as a line "headword|count" and `count` meaning lines "(kind)|synonym|synonym…".
// Only the kinds "синоним" and "сходный термин" are used (antonyms and loosely related terms would
// make wrong definitions). Remarks in parentheses ("(прост.)") are dropped; synonyms marked as
// abusive ("(бранн.)") are left out altogether.
//
// Words: every headword and single-word synonym that, lower-cased with ё → е, is 2–16 letters
// а … я. Abbreviations (written all in capitals) are not taken as words.
// Senses: each meaning line of a headword is a sense of it; a line in which a word appears as a
// synonym is a sense of that word made of the line's headword and its other synonyms. Senses that
// share a synonym are one sense (their synonyms are united in order), so near-copies of one meaning
// do not become separate entries. The headword's own lines come first.
// Definitions: per sense, up to four of its synonyms joined by ", " with the first letter upper case.
// A synonym that gives the answer away is skipped: one containing the word (for words of three
// letters or more, anywhere inside it; a two-letter word only as a whole word of the synonym, since
// it is part of far too many unrelated words), compared case-insensitively with ё → е.
// A word gets one entry per sense, at most kMaxThesaurusSenses; words without any definition are
// left out. Entries come grouped by word, in alphabetical order.
#pragma once

#include "dictionary/DictFile.h"

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace vez {

inline constexpr int kMaxThesaurusSenses = 3;

struct ThesaurusImport {
    std::vector<TDictEntry> entries; // Windows-1251
    std::string error;               // empty on success; one line, plain ASCII
    bool Ok() const { return error.empty(); }
};

// Damaged spots of a thesaurus, to be ignored: a word alone ("зки", a cut-off piece of a word) is
// ignored wherever it stands; "word|headword" ignores the word only inside that headword's entry
// ("во|награждать"), and "headword|headword" ignores the whole entry. Windows-1251, normalized.
struct ThesaurusSkips {
    std::unordered_set<std::string> items;
    bool Has(std::string_view word) const { return items.contains(std::string(word)); }
    bool Has(std::string_view word, std::string_view head) const;
};
// One item a line ("word" or "word|headword"), UTF-8 or Windows-1251; '#' starts a comment line.
ThesaurusSkips ParseThesaurusSkips(std::string_view fileBytes);

// Parses the whole text before anything is built: a malformed file gives an error and no entries.
ThesaurusImport ParseThesaurus(std::string_view fileBytes, const ThesaurusSkips& skips = {});
ThesaurusImport ReadThesaurus(const fs::path& file, const ThesaurusSkips& skips = {});

// A word as the dictionary stores it: lower case, ё → е (Windows-1251 in and out).
std::string NormalizeDictWord(std::string_view cp1251);
// 2–16 letters, each а … я.
bool IsDictWord(std::string_view cp1251);

} // namespace vez
