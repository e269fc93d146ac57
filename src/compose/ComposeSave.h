// Saving a composition into the library: the folder list, new folder names and the document with
// the next free number. Shared by the compose window and the command line, so both write the same
// files with the same checks.
#pragma once

#include "model/Document.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vez {

// Characters a new library folder name may not hold, besides '/' and control characters (a name
// reaching outside the library, or one the other windows cannot store in a document name).
inline constexpr std::string_view kFolderForbidden = "\"'*+,.:;<=>?[\\]`|\xB9";
// The first character of `name` a folder name may not hold; nullopt when every character is allowed.
std::optional<char> ForbiddenFolderChar(std::string_view name);

// The sub-folders of CROS (crossword) or SCAN (any other kind), sorted by their Windows-1251 names.
std::vector<std::string> LibraryFolders(const fs::path& home, std::string_view kind);

// Creates the library folder for a typed name (upper-cased; the library itself is created when
// missing). Shows "Недопустимый символ" or "уже существует !" and returns nullopt on failure;
// otherwise the folder's name.
std::optional<std::string> CreateLibraryFolder(const fs::path& home, Dialogs& dialogs, std::string_view kind,
                                               std::string_view typedName);

enum class SaveOutcome { Written, FolderFull, WriteFailed };

struct SaveResult {
    SaveOutcome outcome = SaveOutcome::WriteFailed;
    fs::path path; // the document written
};

// Writes `doc` (its number is chosen here) as the next document of `doc.folder`. A full folder
// shows "Папка заполнена !…" and writes nothing; a failed write was reported by the writer.
SaveResult SaveComposition(const fs::path& home, Dialogs& dialogs, DocToWrite doc);

} // namespace vez
