// Windows-1251 text: the one encoding of every text inside the core (dictionary, documents,
// configuration, messages), with conversion to and from UTF-8 at the program's edges.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vez {

// Byte values of the Russian letters in Windows-1251.
inline constexpr unsigned char kCyrUpperA = 0xC0; // А
inline constexpr unsigned char kCyrLowerA = 0xE0; // а
inline constexpr unsigned char kCyrLowerYa = 0xFF; // я
inline constexpr unsigned char kUpperYo = 0xA8;    // Ё
inline constexpr unsigned char kLowerYo = 0xB8;    // ё

// Unicode code point of one Windows-1251 byte (0x98, undefined in the code page, maps to U+0098).
char32_t Cp1251ToUnicode(unsigned char c);
// Windows-1251 byte of a code point, or -1 when the code page has no such character.
int UnicodeToCp1251(char32_t u);

// UTF-8 → Windows-1251; characters the code page lacks and malformed UTF-8 become `substitute`.
std::string Utf8ToCp1251(std::string_view utf8, char substitute = '?');
// Windows-1251 → UTF-8; total (every byte has a character).
std::string Cp1251ToUtf8(std::string_view cp1251);
// True when `s` is well-formed UTF-8.
bool IsValidUtf8(std::string_view s);

// The system's own Russian texts are written in the source as UTF-8 literals and used as
// Windows-1251: ru("Сохранить?").
inline std::string ru(std::string_view utf8) { return Utf8ToCp1251(utf8); }

// Case of Cyrillic (with Ё/ё and the other Cyrillic letters of the code page) and Latin letters.
unsigned char UpperChar(unsigned char c);
unsigned char LowerChar(unsigned char c);
std::string UpperCase(std::string_view s);
std::string LowerCase(std::string_view s);

// `s` without spaces and control characters at both ends (how a definition or a typed name is
// taken).
inline std::string_view TrimSpaceControl(std::string_view s) {
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ') s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') s.remove_suffix(1);
    return s;
}

// а … я or ё.
inline bool IsRussianLower(unsigned char c) { return c >= kCyrLowerA || c == kLowerYo; }
// А … Я or Ё.
inline bool IsRussianUpper(unsigned char c) { return (c >= kCyrUpperA && c < kCyrLowerA) || c == kUpperYo; }
inline bool IsRussianLetter(unsigned char c) { return IsRussianLower(c) || IsRussianUpper(c); }

} // namespace vez
