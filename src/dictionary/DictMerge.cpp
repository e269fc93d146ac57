#include "dictionary/DictMerge.h"

#include <cstdio>
#include <unordered_map>
#include <unordered_set>

namespace vez {

namespace {

std::string PairKey(std::string_view word, std::string_view def) {
    std::string k(word);
    k += '\n';
    k += def;
    return k;
}

std::string FileName(int n) {
    return "DICT/dict." + std::to_string(n);
}

// New entries of one length, grouped by word in the order the words first came.
struct LengthBatch {
    std::vector<std::string> order;
    std::unordered_map<std::string, std::vector<std::string>> defs;
    std::unordered_set<std::string> seen;
    void Add(const TDictEntry& e) {
        if (!seen.insert(PairKey(e.Word, e.Definition)).second) return;
        auto [it, isNew] = defs.try_emplace(e.Word);
        if (isNew) order.push_back(e.Word);
        it->second.push_back(e.Definition);
    }
};

void AppendEntry(std::string& out, std::string_view word, std::string_view def) {
    out.append(word).append("\r\n").append(def).append("\r\n");
}

} // namespace

int DictMergeResult::TotalWords() const {
    int t = 0;
    for (int n = kMinDictLen; n <= kMaxDictLen; ++n)
        t += words[static_cast<size_t>(n)];
    return t;
}

int DictMergeResult::TotalAdded() const {
    int t = 0;
    for (int n = kMinDictLen; n <= kMaxDictLen; ++n)
        t += added[static_cast<size_t>(n)];
    return t;
}

DictMergeResult MergeIntoDictionary(const fs::path& home, const std::vector<TDictEntry>& entries) {
    DictMergeResult r;
    std::array<LengthBatch, kMaxDictLen + 1> batches;
    for (const auto& e : entries) {
        if (e.Word.size() < static_cast<size_t>(kMinDictLen) ||
            e.Word.size() > static_cast<size_t>(kMaxDictLen) || e.Definition.empty()) {
            r.error = "an imported entry is not a dictionary entry";
            return r;
        }
        batches[e.Word.size()].Add(e);
    }

    const fs::path folder = DictFolder(home);
    std::error_code ec;
    if (fs::exists(folder, ec) && !fs::is_directory(folder, ec)) {
        r.error = "DICT is not a folder";
        return r;
    }

    // Plan every file first, so that a problem with any of them leaves all of them untouched.
    std::vector<std::pair<int, std::string>> rewrites;
    for (int n = kMinDictLen; n <= kMaxDictLen; ++n) {
        const auto& batch = batches[static_cast<size_t>(n)];
        const fs::path file = DictPath(home, n);
        const bool exists = fs::exists(file, ec);
        std::string bytes;
        if (exists) {
            auto read = ReadFileBytes(file);
            if (!read) {
                r.error = FileName(n) + " cannot be read";
                return r;
            }
            bytes = std::move(*read);
        }
        std::vector<std::string_view> lines;
        ForEachLine(bytes, [&](std::string_view l) { lines.push_back(l); });
        while (!lines.empty() && lines.back().empty())
            lines.pop_back();
        if (lines.size() % 2 != 0) {
            r.error = FileName(n) + " ends with a word without a definition";
            return r;
        }

        std::unordered_set<std::string> present;
        std::unordered_map<std::string_view, size_t> firstEntry;
        for (size_t k = 0; k < lines.size(); k += 2) {
            present.insert(PairKey(lines[k], lines[k + 1]));
            firstEntry.try_emplace(lines[k], k / 2);
        }

        std::unordered_map<size_t, std::vector<const std::string*>> before; // entry index → new definitions
        std::unordered_map<size_t, const std::string*> beforeWord;
        std::string appended;
        int added = 0, distinct = 0, total = 0;
        for (const auto& word : batch.order) {
            ++distinct;
            auto known = firstEntry.find(word);
            for (const auto& def : batch.defs.at(word)) {
                ++total;
                if (present.contains(PairKey(word, def))) continue;
                ++added;
                if (known != firstEntry.end()) {
                    before[known->second].push_back(&def);
                    beforeWord[known->second] = &word;
                } else {
                    AppendEntry(appended, word, def);
                }
            }
        }
        r.words[static_cast<size_t>(n)] = distinct;
        r.entries[static_cast<size_t>(n)] = total;
        r.added[static_cast<size_t>(n)] = added;
        if (exists && added == 0) continue;

        std::string content;
        content.reserve(bytes.size() + appended.size() + 64);
        for (size_t k = 0; k < lines.size(); k += 2) {
            if (auto it = before.find(k / 2); it != before.end())
                for (const std::string* def : it->second)
                    AppendEntry(content, *beforeWord.at(k / 2), *def);
            AppendEntry(content, lines[k], lines[k + 1]);
        }
        content += appended;
        rewrites.emplace_back(n, std::move(content));
    }

    fs::create_directories(folder, ec);
    for (const auto& [n, content] : rewrites) {
        if (!AtomicRewrite(folder / "promt", DictPath(home, n), content)) {
            r.error = "cannot write " + FileName(n);
            return r;
        }
    }
    return r;
}

std::string MergeSummary(const DictMergeResult& r) {
    std::string out = "length    words  entries    added\n";
    char line[80];
    int entries = 0;
    for (int n = kMinDictLen; n <= kMaxDictLen; ++n) {
        auto i = static_cast<size_t>(n);
        entries += r.entries[i];
        std::snprintf(line, sizeof line, "%6d %8d %8d %8d\n", n, r.words[i], r.entries[i], r.added[i]);
        out += line;
    }
    std::snprintf(line, sizeof line, " total %8d %8d %8d\n", r.TotalWords(), entries, r.TotalAdded());
    out += line;
    return out;
}

} // namespace vez
