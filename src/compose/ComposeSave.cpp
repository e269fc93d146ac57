#include "compose/ComposeSave.h"

#include "platform/Text.h"

#include <algorithm>

namespace vez {

std::optional<char> ForbiddenFolderChar(std::string_view name) {
    for (char c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F || c == '/' || kFolderForbidden.find(c) != std::string_view::npos) return c;
    }
    return std::nullopt;
}

std::vector<std::string> LibraryFolders(const fs::path& home, std::string_view kind) {
    std::vector<std::string> names;
    for (const DirEntry& e : ListDir(LibraryPath(home, kind)))
        if (e.isDir) names.push_back(e.name);
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
            return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
        });
    });
    return names;
}

std::optional<std::string> CreateLibraryFolder(const fs::path& home, Dialogs& dialogs, std::string_view kind,
                                               std::string_view typedName) {
    if (auto bad = ForbiddenFolderChar(typedName)) {
        dialogs.Show(ru("Недопустимый символ"), std::string(1, *bad), kBtnCancel, kBtnCancel, kIconError);
        return std::nullopt;
    }
    const std::string name = UpperCase(typedName);
    std::error_code ec;
    fs::create_directories(LibraryPath(home, kind), ec);
    // create_directory is false for an existing folder: that, like any other failure, is refused.
    if (!IsSafeName(name) || !fs::create_directory(LibraryPath(home, kind) / NameToPath(name), ec)) {
        dialogs.Show(ru("Папка \"") + name + ru("\"\r\nуже существует !"), ru("ОШИБКА !"), kBtnCancel,
                     kBtnCancel, kIconError);
        return std::nullopt;
    }
    return name;
}

SaveResult SaveComposition(const fs::path& home, Dialogs& dialogs, DocToWrite doc) {
    SaveResult res;
    doc.number = NextDocNumber(LibraryFolderPath(home, doc.kind, doc.folder));
    if (doc.number > kMaxDocsPerFolder) {
        dialogs.Show(ru("Папка заполнена !\r\nВыбрать другую или\r\nсоздать новую папку."),
                     ru("Папка \"") + doc.folder + "\"", kBtnCancel, kBtnCancel, kIconError);
        res.outcome = SaveOutcome::FolderFull;
        return res;
    }
    res.path = DocPath(home, doc.kind, doc.folder, doc.number, DocIsMarked(doc));
    res.outcome = WriteDoc(home, dialogs, doc) ? SaveOutcome::Written : SaveOutcome::WriteFailed;
    return res;
}

} // namespace vez
