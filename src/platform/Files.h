// The file system as the system sees it: the program folder, names on disk (UTF-8, with the
// Windows-1251 fallback for names copied from Windows), safe rewrites and free space.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vez {

namespace fs = std::filesystem;

// The folder of the executable, or $VEZDAR_HOME when it is set. `argv0` may be empty.
fs::path ProgramFolder(const char* argv0 = nullptr);

// A Windows-1251 name (as the core holds it) as a path component on disk (UTF-8).
fs::path NameToPath(std::string_view cp1251Name);
// A name read from disk as Windows-1251: UTF-8 when it is valid UTF-8, else taken as is.
std::string PathToName(const fs::path& p);

struct DirEntry {
    std::string name; // Windows-1251
    fs::path path;
    bool isDir = false;
};
// Entries of a folder (no "." and ".."), in the order the file system gives; empty on error.
std::vector<DirEntry> ListDir(const fs::path& dir);

// The entry of `dir` whose name equals `cp1251Name` regardless of case (the `Pict`/`PICT` folder).
std::optional<fs::path> FindEntryNoCase(const fs::path& dir, std::string_view cp1251Name);

// Gives the owner write permission, so that a read-only file can be replaced.
void MakeWritable(const fs::path& p);

// Whole file contents; nullopt when it cannot be read.
std::optional<std::string> ReadFileBytes(const fs::path& p);

// Writes `content` into `promt`, flushes it to disk and renames it over `target` in one step.
// On any failure `promt` is removed, `target` is untouched and false is returned.
bool AtomicRewrite(const fs::path& promt, const fs::path& target, std::string_view content);

// Writes a new file (no rename); false on failure with the partial file removed.
bool WriteFileBytes(const fs::path& p, std::string_view content);

// Bytes available to the user on the file system of `p`; 0 when unknown.
std::uintmax_t FreeDiskSpace(const fs::path& p);

// A name typed by the user for a folder or file is safe on disk: not empty, not "." or "..",
// no '/', no control character. Extra forbidden characters (cp1251) may be given.
bool IsSafeName(std::string_view cp1251Name, std::string_view forbidden = {});

} // namespace vez
