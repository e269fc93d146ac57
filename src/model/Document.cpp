#include "model/Document.h"

#include "dictionary/DictFile.h"
#include "platform/Text.h"

#include <cstdio>
#include <map>

namespace vez {

fs::path LibraryPath(const fs::path& home, std::string_view kind) {
    return home / (IsCrossword(std::string(kind)) ? "CROS" : "SCAN");
}

fs::path LibraryPromtPath(const fs::path& home, std::string_view kind) {
    return LibraryPath(home, kind) / "promt";
}

std::string DocFileName(std::string_view folder, int number, bool marked) {
    std::string name = LowerCase(folder) + '.';
    if (number < 10) name += '0';
    name += std::to_string(number);
    if (marked) name += '-';
    return name;
}

fs::path LibraryFolderPath(const fs::path& home, std::string_view kind, std::string_view folder) {
    const fs::path lib = LibraryPath(home, kind);
    const fs::path utf8 = lib / NameToPath(folder);
    std::error_code ec;
    // A folder copied from Windows may carry its name in Windows-1251 bytes, as listed.
    if (!fs::exists(utf8, ec) && fs::is_directory(lib / std::string(folder), ec))
        return lib / std::string(folder);
    return utf8;
}

fs::path DocPath(const fs::path& home, std::string_view kind, std::string_view folder, int number,
                 bool marked) {
    return LibraryFolderPath(home, kind, folder) / NameToPath(DocFileName(folder, number, marked));
}

std::optional<int> DocNumberOfName(std::string_view name) {
    if (name.empty() || name.back() == '.') return std::nullopt;
    const size_t dot = name.find('.');
    if (dot == std::string_view::npos) return std::nullopt;
    std::string_view digits = name.substr(dot + 1);
    if (!digits.empty() && digits.back() == '-') digits.remove_suffix(1);
    if (digits.empty()) return std::nullopt;
    constexpr int kSaturated = 1000000; // beyond any real number, still "full"
    int n = 0;
    for (char ch : digits) {
        if (ch < '0' || ch > '9') return std::nullopt;
        n = std::min(kSaturated, n * 10 + (ch - '0'));
    }
    return n;
}

int NextDocNumber(const fs::path& folderPath) {
    int largest = 0;
    for (const auto& e : ListDir(folderPath))
        if (auto n = DocNumberOfName(e.name)) largest = std::max(largest, *n);
    return largest + 1;
}

std::string DocHeader(bool complete, int width, int height, int acrossCount, int downCount) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "AS%c%-3d%-3d%-4d%-4d", complete ? ' ' : '.', width, height, acrossCount,
                  downCount);
    return buf;
}

char ScanCellChar(std::uint8_t code, char gridCell) {
    if (IsScanLetterCode(code)) return IsLetterCode(gridCell) ? gridCell : kEmptyCell;
    switch (code) {
    case 11:
        return '1';
    case 12:
        return '3';
    case 13:
        return '#';
    case 14:
        return '5';
    case 15:
        return '$';
    case 16:
        return '7';
    case 17:
        return '9';
    case 21:
        return '2';
    case 23:
        return '4';
    case 24:
        return '6';
    case 25:
        return '%';
    case 26:
        return '8';
    case 27:
        return '&';
    case 28:
        return '0';
    default:
        return '-'; // outside, and any code a layout should never hold: the row keeps its width
    }
}

bool DocIsMarked(const DocToWrite& doc) {
    return !IsCrossword(doc.kind) || !doc.finished;
}

namespace {

std::string Trimmed(std::string_view s) {
    const size_t b = s.find_first_not_of(' ');
    if (b == std::string_view::npos) return {};
    return std::string(s.substr(b, s.find_last_not_of(' ') - b + 1));
}

// Definitions of placed words: the dictionary file of the word's length first (each read once per
// document), then the entries deleted while the composition ran.
class DefinitionFinder {
  public:
    DefinitionFinder(const fs::path& home, const std::vector<std::string>& deleted)
        : home_(home), deleted_(deleted) {}

    // nullopt when the dictionary file cannot be read; "" when the word is found nowhere.
    std::optional<std::string> Find(const std::string& word) {
        const int len = static_cast<int>(word.size());
        auto it = files_.find(len);
        if (it == files_.end()) {
            auto entries = ReadDictEntries(DictPath(home_, len));
            if (!entries) return std::nullopt;
            it = files_.emplace(len, std::move(*entries)).first;
        }
        for (const auto& e : it->second)
            if (e.Word == word) return e.Definition;
        for (const auto& d : deleted_)
            if (Trimmed(std::string_view(d).substr(0, std::min<size_t>(d.size(), kMaxWordLen))) == word)
                return d.size() > kMaxWordLen ? d.substr(kMaxWordLen) : std::string();
        return std::string();
    }

  private:
    const fs::path& home_;
    const std::vector<std::string>& deleted_;
    std::map<int, std::vector<TDictEntry>> files_;
};

} // namespace

std::optional<std::string> BuildDocText(const fs::path& home, const DocToWrite& doc) {
    const bool crossword = IsCrossword(doc.kind);
    TGrat grat = doc.grat;
    if (crossword) MarkOutside(grat);

    const int total = SlotCount(doc.slots);
    int across = 0;
    for (int i = 1; i <= total; ++i)
        across += doc.slots[i].dir == 'H';

    std::string text = DocHeader(crossword && doc.finished, grat.width, grat.height, across, total - across);
    text += "\r\n";
    for (int y = 1; y <= grat.height; ++y) {
        for (int x = 1; x <= grat.width; ++x)
            text += crossword ? grat.at(x, y) : ScanCellChar(doc.layout.at(x, y), grat.at(x, y));
        text += "\r\n";
    }

    DefinitionFinder finder(home, doc.deletedEntries);
    for (char dir : {'H', 'V'})
        for (int i = 1; i <= total; ++i) {
            const TWordSlot& s = doc.slots[i];
            if (s.dir != dir) continue;
            if (s.word.empty()) {
                text += ".\r\n";
                continue;
            }
            auto def = finder.Find(s.word);
            if (!def) return std::nullopt;
            // A word without a definition is still a placed word: "-" says so, where an empty
            // line would read as an empty slot.
            text += def->empty() ? std::string("-") : *def;
            text += "\r\n";
        }
    return text;
}

bool WriteDoc(const fs::path& home, Dialogs& dialogs, const DocToWrite& doc) {
    bool ok = doc.number >= 1 && doc.number <= kMaxDocsPerFolder;
    if (ok) {
        auto text = BuildDocText(home, doc);
        ok = text && AtomicRewrite(LibraryPromtPath(home, doc.kind),
                                   DocPath(home, doc.kind, doc.folder, doc.number, DocIsMarked(doc)), *text);
    }
    if (!ok)
        dialogs.Show(ru("Не удалось сохранить ") + ru(IsCrossword(doc.kind) ? "кроссворд." : "сканворд."),
                     ru("Ошибка !"), kBtnOK, kBtnOK, kIconInfo);
    return ok;
}

} // namespace vez
