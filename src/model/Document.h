// Stored puzzles (documents): the library layout CROS/<FOLDER>/<folder>.NN[-] and
// SCAN/<FOLDER>/<folder>.NN[-], numbering inside a folder, and the writer used when a composition
// is saved.
//
// A document is Windows-1251 text with CR LF line ends: a 17-column header ("AS", a space for a
// finished crossword or '.', width in 3 columns, height in 3, across count in 4, down count in 4,
// each left-aligned), the grid rows, then one definition line per slot, across slots first, each
// group in slot order. An empty slot writes ".", a word with no definition anywhere writes "-" so
// that the word still counts as placed.
#pragma once

#include "model/Grat.h"
#include "model/ScanLayout.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vez {

inline constexpr int kMaxDocsPerFolder = 99;

// CROS for "Cros", SCAN for every other kind.
fs::path LibraryPath(const fs::path& home, std::string_view kind);
// The library's rewrite file, CROS/promt or SCAN/promt.
fs::path LibraryPromtPath(const fs::path& home, std::string_view kind);
// The document's file name (Windows-1251): lower-cased folder name, '.', two-digit number, '-' when
// marked.
std::string DocFileName(std::string_view folder, int number, bool marked);
// The library folder on disk: its name in UTF-8, or in the Windows-1251 bytes it was listed with
// when only such a folder exists.
fs::path LibraryFolderPath(const fs::path& home, std::string_view kind, std::string_view folder);
// The document's path on disk: library folder / file name (a new file's name is UTF-8).
fs::path DocPath(const fs::path& home, std::string_view kind, std::string_view folder, int number,
                 bool marked);

// The document number an entry name carries: the digits after its first '.', less a trailing '-';
// nullopt for a name that is no document (a name ending in '.', no digit after the '.', or other
// characters among the digits). Numbers too long to read count as larger than any folder holds.
std::optional<int> DocNumberOfName(std::string_view name);
// 1 + the largest document number in the folder; 1 for an empty or unreadable folder.
int NextDocNumber(const fs::path& folderPath);
// The folder already holds document 99.
inline bool FolderIsFull(const fs::path& folderPath) {
    return NextDocNumber(folderPath) > kMaxDocsPerFolder;
}

// The 17-column header line (without its line end).
std::string DocHeader(bool complete, int width, int height, int acrossCount, int downCount);
// The document character of a scanword cell: its letter (or '*') for a letter cell, the arrow
// character of a definition cell, '-' outside.
char ScanCellChar(std::uint8_t code, char gridCell);

// What the compose window hands to the writer.
struct DocToWrite {
    std::string kind;      // "Cros", "Scan", "Japan"; anything but "Cros" is written as a scanword
    std::string folder;    // the library folder's name, Windows-1251, as listed
    int number = 0;        // 1 … 99
    TGrat grat;            // the composed grid (letters, '*' for empty cells)
    SlotTable slots;       // numbered slots; an empty `word` is an empty slot
    bool finished = false; // the composition placed every word (crosswords)
    TScanLayout layout;    // scanwords only
    std::vector<std::string> deletedEntries; // word padded to 16 characters, then its definition
};

// The file is marked ('-') for every scanword and for an unfinished crossword.
bool DocIsMarked(const DocToWrite& doc);
// The whole document text; nullopt when a dictionary file it needs cannot be read.
std::optional<std::string> BuildDocText(const fs::path& home, const DocToWrite& doc);
// Writes the document through the library's promt file, replacing a file of the same name. On any
// failure shows "Не удалось сохранить кроссворд." (or "сканворд."), leaves no partial file and no
// existing document touched, and returns false.
bool WriteDoc(const fs::path& home, Dialogs& dialogs, const DocToWrite& doc);

} // namespace vez
