#include "dictionary/ThesaurusImport.h"

#include "platform/Text.h"

#include <charconv>
#include <map>
#include <unordered_map>
#include <unordered_set>

namespace vez {

namespace {

// Stands for characters the code page lacks; a synonym holding one is not used.
constexpr char kNoChar = '\x01';
constexpr size_t kMaxMeaningLines = 10000;
constexpr int kSynonymsPerDefinition = 4;

bool IsLetter(unsigned char c) {
    return IsRussianLetter(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// A synonym as it may stand in a definition: remarks in parentheses removed, spaces collapsed.
// Empty when it is unusable (abusive, characters the code page lacks, a bare prefix like "лже-").
std::string CleanSynonym(std::string_view raw) {
    static const std::string abusive = ru("бранн");
    if (raw.find(abusive) != std::string_view::npos || raw.find(kNoChar) != std::string_view::npos) return {};
    std::string out;
    int depth = 0;
    bool space = false;
    for (char ch : raw) {
        if (ch == '(') {
            ++depth;
        } else if (ch == ')') {
            if (depth > 0) --depth;
        } else if (depth == 0) {
            if (static_cast<unsigned char>(ch) <= ' ') {
                space = !out.empty();
            } else {
                if (space) out += ' ';
                space = false;
                out += ch;
            }
        }
    }
    if (out.empty() || out.front() == '-' || out.back() == '-') return {};
    bool letter = false;
    for (unsigned char c : out)
        letter = letter || IsLetter(c);
    return letter ? out : std::string{};
}

bool IsAllCapitals(std::string_view s) {
    for (unsigned char c : s)
        if (IsRussianLower(c) || (c >= 'a' && c <= 'z')) return false;
    return true;
}

// The dictionary word a cleaned synonym stands for, or empty when it cannot be one.
std::string EntryWord(std::string_view synonym) {
    if (synonym.find(' ') != std::string_view::npos || IsAllCapitals(synonym)) return {};
    std::string w = NormalizeDictWord(synonym);
    return IsDictWord(w) ? w : std::string{};
}

// Whether the normalized synonym `syn` gives the (normalized) answer `word` away.
bool GivesAway(std::string_view word, std::string_view syn) {
    if (word.size() >= 3) return syn.find(word) != std::string_view::npos;
    size_t pos = 0;
    while (pos < syn.size()) {
        while (pos < syn.size() && !IsLetter(static_cast<unsigned char>(syn[pos])))
            ++pos;
        size_t end = pos;
        while (end < syn.size() && IsLetter(static_cast<unsigned char>(syn[end])))
            ++end;
        if (end > pos && syn.substr(pos, end - pos) == word) return true;
        pos = end;
    }
    return false;
}

struct MeaningLine {
    bool used = false; // a kind that makes definitions
    std::vector<std::string_view> synonyms;
};

struct ParsedEntry {
    std::string_view head;
    std::vector<MeaningLine> lines;
};

ThesaurusImport Fail(std::string msg) {
    ThesaurusImport r;
    r.error = std::move(msg);
    return r;
}

std::string LineError(size_t lineNo, const std::string& what) {
    return "line " + std::to_string(lineNo) + ": " + what;
}

// Interned synonyms: display text and the normalized form that decides sameness.
class SynonymTable {
  public:
    int Intern(std::string text) {
        if (auto it = byText_.find(text); it != byText_.end()) return it->second;
        std::string norm = NormalizeDictWord(text);
        auto [kit, _] = keyByNorm_.try_emplace(norm, static_cast<int>(keyByNorm_.size()));
        int id = static_cast<int>(text_.size());
        byText_.emplace(text, id);
        text_.push_back(std::move(text));
        norm_.push_back(std::move(norm));
        key_.push_back(kit->second);
        return id;
    }
    const std::string& Text(int id) const { return text_[static_cast<size_t>(id)]; }
    const std::string& Norm(int id) const { return norm_[static_cast<size_t>(id)]; }
    int Key(int id) const { return key_[static_cast<size_t>(id)]; }

  private:
    std::vector<std::string> text_, norm_;
    std::vector<int> key_;
    std::unordered_map<std::string, int> byText_, keyByNorm_;
};

struct WordSenses {
    std::vector<std::vector<int>> own, asSynonym;
};

struct Sense {
    std::vector<int> synonyms;
    std::unordered_set<int> keys;
};

std::vector<Sense> MergeSenses(const std::string& word, const WordSenses& ws, const SynonymTable& syn) {
    std::vector<Sense> senses;
    auto add = [&](const std::vector<int>& raw) {
        Sense s;
        for (int id : raw)
            if (!s.keys.contains(syn.Key(id)) && !GivesAway(word, syn.Norm(id))) {
                s.keys.insert(syn.Key(id));
                s.synonyms.push_back(id);
            }
        if (s.synonyms.empty()) return;
        // Fold every earlier sense that shares a synonym into the first such one.
        Sense* into = nullptr;
        for (auto& old : senses) {
            bool shares = false;
            for (int k : s.keys)
                shares = shares || old.keys.contains(k);
            if (!shares) continue;
            if (!into) {
                into = &old;
                continue;
            }
            for (int id : old.synonyms)
                if (into->keys.insert(syn.Key(id)).second) into->synonyms.push_back(id);
            old.synonyms.clear();
        }
        if (!into) {
            senses.push_back(std::move(s));
        } else {
            for (int id : s.synonyms)
                if (into->keys.insert(syn.Key(id)).second) into->synonyms.push_back(id);
        }
        std::erase_if(senses, [](const Sense& x) { return x.synonyms.empty(); });
    };
    for (auto& raw : ws.own)
        add(raw);
    for (auto& raw : ws.asSynonym)
        add(raw);
    return senses;
}

} // namespace

bool ThesaurusSkips::Has(std::string_view word, std::string_view head) const {
    std::string k(word);
    k += '|';
    k += head;
    return items.contains(k);
}

ThesaurusSkips ParseThesaurusSkips(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    std::string text = IsValidUtf8(bytes) ? Utf8ToCp1251(bytes) : std::string(bytes);
    ThesaurusSkips out;
    ForEachLine(text, [&](std::string_view line) {
        line = TrimSpaceControl(line);
        if (line.empty() || line.starts_with('#')) return;
        size_t bar = line.find('|');
        std::string item = NormalizeDictWord(TrimSpaceControl(line.substr(0, bar)));
        if (bar != std::string_view::npos) item += '|' + NormalizeDictWord(TrimSpaceControl(line.substr(bar + 1)));
        out.items.insert(std::move(item));
    });
    return out;
}

std::string NormalizeDictWord(std::string_view cp1251) {
    std::string w = LowerCase(cp1251);
    for (char& c : w)
        if (static_cast<unsigned char>(c) == kLowerYo) c = static_cast<char>(0xE5);
    return w;
}

bool IsDictWord(std::string_view w) {
    if (w.size() < static_cast<size_t>(kMinDictLen) || w.size() > static_cast<size_t>(kMaxDictLen))
        return false;
    for (unsigned char c : w)
        if (c < kCyrLowerA) return false;
    return true;
}

ThesaurusImport ParseThesaurus(std::string_view bytes, const ThesaurusSkips& skips) {
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    size_t firstEnd = bytes.find('\n');
    std::string encoding = UpperCase(TrimSpaceControl(bytes.substr(0, firstEnd)));
    std::string_view rest =
        firstEnd == std::string_view::npos ? std::string_view{} : bytes.substr(firstEnd + 1);
    std::string body;
    if (encoding == "UTF-8" || encoding == "UTF8") {
        if (!IsValidUtf8(rest)) return Fail("the text is not valid UTF-8");
        body = Utf8ToCp1251(rest, kNoChar);
    } else if (encoding == "WINDOWS-1251" || encoding == "CP1251" || encoding == "MICROSOFT-CP1251") {
        body.assign(rest);
    } else {
        return Fail("line 1: expected the name of the encoding (UTF-8 or WINDOWS-1251)");
    }

    std::vector<std::string_view> lines;
    ForEachLine(body, [&](std::string_view l) { lines.push_back(l); });

    const std::string synonymKind = ru("(синоним)"), similarKind = ru("(сходный термин)");
    std::vector<ParsedEntry> parsed;
    for (size_t i = 0; i < lines.size();) {
        const size_t lineNo = i + 2; // the encoding line is line 1
        std::string_view l = lines[i];
        if (TrimSpaceControl(l).empty()) {
            ++i;
            continue;
        }
        size_t bar = l.rfind('|');
        std::string_view countText =
            bar == std::string_view::npos ? std::string_view{} : TrimSpaceControl(l.substr(bar + 1));
        size_t count = 0;
        auto [end, ec] = std::from_chars(countText.data(), countText.data() + countText.size(), count);
        if (bar == std::string_view::npos || TrimSpaceControl(l.substr(0, bar)).empty() || countText.empty() ||
            ec != std::errc{} || end != countText.data() + countText.size() || count > kMaxMeaningLines)
            return Fail(LineError(lineNo, "expected \"word|count\""));
        if (lines.size() - i - 1 < count)
            return Fail(LineError(lineNo, "the entry has fewer meaning lines than its count"));
        ParsedEntry e{TrimSpaceControl(l.substr(0, bar)), {}};
        for (size_t j = 1; j <= count; ++j) {
            std::string_view m = lines[i + j];
            size_t close = m.find(')');
            if (!m.starts_with('(') || close == std::string_view::npos)
                return Fail(LineError(lineNo + j, "expected a meaning line \"(kind)|synonym|...\""));
            std::string_view kind = m.substr(0, close + 1);
            MeaningLine ml;
            ml.used = kind == synonymKind || kind == similarKind;
            // Text between the kind and the first bar is a damaged synonym (the shipped file has a
            // few, such as "(синоним)гда|завсегда"); it is left out rather than guessed at.
            for (size_t pos = m.find('|', close); pos < m.size();) {
                size_t next = m.find('|', pos + 1);
                if (next == std::string_view::npos) next = m.size();
                ml.synonyms.push_back(m.substr(pos + 1, next - pos - 1));
                pos = next;
            }
            e.lines.push_back(std::move(ml));
        }
        parsed.push_back(std::move(e));
        i += count + 1;
    }
    if (parsed.empty()) return Fail("the thesaurus holds no entries");

    SynonymTable table;
    std::map<std::string, WordSenses> words;
    for (const auto& e : parsed) {
        std::string head = CleanSynonym(e.head);
        const std::string headNorm = NormalizeDictWord(head);
        if (skips.Has(headNorm, headNorm)) continue;
        if (skips.Has(headNorm)) head.clear();
        int headId = head.empty() ? -1 : table.Intern(head);
        std::string headWord = head.empty() ? std::string{} : EntryWord(head);
        for (const auto& ml : e.lines) {
            if (!ml.used) continue;
            std::vector<int> ids;
            std::vector<std::string> asWord;
            for (auto raw : ml.synonyms) {
                std::string s = CleanSynonym(raw);
                if (s.empty()) continue;
                const std::string norm = NormalizeDictWord(s);
                if (skips.Has(norm) || skips.Has(norm, headNorm)) continue;
                asWord.push_back(EntryWord(s));
                ids.push_back(table.Intern(std::move(s)));
            }
            if (!headWord.empty()) words[headWord].own.push_back(ids);
            for (size_t k = 0; k < ids.size(); ++k) {
                if (asWord[k].empty()) continue;
                std::vector<int> sense;
                if (headId >= 0) sense.push_back(headId);
                for (size_t o = 0; o < ids.size(); ++o)
                    if (o != k) sense.push_back(ids[o]);
                words[asWord[k]].asSynonym.push_back(std::move(sense));
            }
        }
    }

    ThesaurusImport out;
    for (const auto& [word, ws] : words) {
        auto senses = MergeSenses(word, ws, table);
        if (senses.size() > static_cast<size_t>(kMaxThesaurusSenses)) senses.resize(kMaxThesaurusSenses);
        for (const auto& s : senses) {
            std::string def;
            for (size_t k = 0; k < s.synonyms.size() && k < static_cast<size_t>(kSynonymsPerDefinition);
                 ++k) {
                if (k) def += ", ";
                def += table.Text(s.synonyms[k]);
            }
            def[0] = static_cast<char>(UpperChar(static_cast<unsigned char>(def[0])));
            out.entries.push_back({word, std::move(def)});
        }
    }
    return out;
}

ThesaurusImport ReadThesaurus(const fs::path& file, const ThesaurusSkips& skips) {
    std::error_code ec;
    if (!fs::is_regular_file(file, ec)) return Fail("no such file");
    auto bytes = ReadFileBytes(file);
    if (!bytes) return Fail("cannot be read");
    return ParseThesaurus(*bytes, skips);
}

} // namespace vez
