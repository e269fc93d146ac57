// A Windows-style INI file held as its lines, so that a rewrite changes only the keys it sets and
// keeps every other line (unknown sections and keys, comments, blank lines, garbage) byte for byte.
#pragma once

#include "platform/Files.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vez {

class IniFile {
  public:
    IniFile() = default;
    // Splits text at LF (a CR before it belongs to the line end); never fails.
    static IniFile Parse(std::string_view bytes);
    // nullopt when the file is missing or cannot be read.
    static std::optional<IniFile> Load(const fs::path& path);

    // The file as it is to be written.
    std::string Text() const;
    // Replaces the file in one step; false when it could not be written.
    bool Save(const fs::path& path) const;

    // Value of the first line of the key in a section of that name; names compare without regard to
    // ASCII case; spaces around the key and the value are not part of them. nullopt when missing.
    std::optional<std::string> Get(std::string_view section, std::string_view key) const;
    bool HasSection(std::string_view section) const;

    // Rewrites the key's first line in place (keeping its line end), or adds the key after the last
    // key of its section, or adds the section at the end of the file. Control characters in `value`
    // become spaces: a line break would otherwise plant lines of its own in the file.
    void Set(std::string_view section, std::string_view key, std::string_view value);
    // Removes every line of the key in sections of that name; false when there was none.
    bool Remove(std::string_view section, std::string_view key);

    // Keys of the sections of that name, in file order (duplicates included).
    std::vector<std::string> Keys(std::string_view section) const;

  private:
    enum class Kind { Other, Section, Key };
    struct Line {
        std::string text; // without the line end
        std::string eol;  // "\r\n", "\n" or "" for a last line without one
        Kind kind = Kind::Other;
        std::string name;    // section name, or key name, trimmed
        std::string section; // the section a key or other line belongs to
    };
    static void Classify(Line& line, std::string_view text, const std::string& section);
    std::string DefaultEol() const;
    std::vector<Line> lines_;
};

// ASCII case-insensitive comparison, as the names of sections and keys are compared.
bool IniNameEquals(std::string_view a, std::string_view b);

} // namespace vez
