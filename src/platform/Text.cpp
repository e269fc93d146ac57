#include "platform/Text.h"

#include <array>

namespace vez {
namespace {

// Code points of 0x80 … 0xBF; 0xC0 … 0xFF are U+0410 … U+044F.
constexpr std::array<char16_t, 64> kHigh = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A,
    0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0098, 0x2122,
    0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6,
    0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456,
    0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};

// Upper/lower pairs among 0x80 … 0xBF.
constexpr std::array<std::pair<unsigned char, unsigned char>, 15> kCasePairs = {{{0x80, 0x90},
                                                                                 {0x81, 0x83},
                                                                                 {0x8A, 0x9A},
                                                                                 {0x8C, 0x9C},
                                                                                 {0x8D, 0x9D},
                                                                                 {0x8E, 0x9E},
                                                                                 {0x8F, 0x9F},
                                                                                 {0xA1, 0xA2},
                                                                                 {0xA3, 0xBC},
                                                                                 {0xA5, 0xB4},
                                                                                 {0xA8, 0xB8},
                                                                                 {0xAA, 0xBA},
                                                                                 {0xAF, 0xBF},
                                                                                 {0xB2, 0xB3},
                                                                                 {0xBD, 0xBE}}};

struct CaseTables {
    std::array<unsigned char, 256> upper{}, lower{};
    constexpr CaseTables() {
        for (int i = 0; i < 256; ++i) upper[i] = lower[i] = static_cast<unsigned char>(i);
        for (int c = 'a'; c <= 'z'; ++c) {
            upper[c] = static_cast<unsigned char>(c - 32);
            lower[c - 32] = static_cast<unsigned char>(c);
        }
        for (int c = 0xE0; c <= 0xFF; ++c) {
            upper[c] = static_cast<unsigned char>(c - 32);
            lower[c - 32] = static_cast<unsigned char>(c);
        }
        for (auto [u, l] : kCasePairs) {
            upper[l] = u;
            lower[u] = l;
        }
    }
};
constexpr CaseTables kCase;

void AppendUtf8(std::string& out, char32_t u) {
    if (u < 0x80) {
        out += static_cast<char>(u);
    } else if (u < 0x800) {
        out += static_cast<char>(0xC0 | (u >> 6));
        out += static_cast<char>(0x80 | (u & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (u >> 12));
        out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (u & 0x3F));
    }
}

// Decodes one UTF-8 sequence at s[i]; returns its length, or 0 when malformed.
size_t DecodeUtf8(std::string_view s, size_t i, char32_t& u) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    auto cont = [&](size_t k) { return i + k < s.size() && (static_cast<unsigned char>(s[i + k]) & 0xC0) == 0x80; };
    auto c = [&](size_t k) { return static_cast<char32_t>(static_cast<unsigned char>(s[i + k]) & 0x3F); };
    if (b0 < 0x80) {
        u = b0;
        return 1;
    }
    if (b0 >= 0xC2 && b0 < 0xE0 && cont(1)) {
        u = ((b0 & 0x1Fu) << 6) | c(1);
        return 2;
    }
    if (b0 >= 0xE0 && b0 < 0xF0 && cont(1) && cont(2)) {
        u = ((b0 & 0x0Fu) << 12) | (c(1) << 6) | c(2);
        if (u < 0x800 || (u >= 0xD800 && u < 0xE000)) return 0;
        return 3;
    }
    if (b0 >= 0xF0 && b0 < 0xF5 && cont(1) && cont(2) && cont(3)) {
        u = ((b0 & 0x07u) << 18) | (c(1) << 12) | (c(2) << 6) | c(3);
        if (u < 0x10000 || u > 0x10FFFF) return 0;
        return 4;
    }
    return 0;
}

} // namespace

char32_t Cp1251ToUnicode(unsigned char c) {
    if (c < 0x80) return c;
    if (c >= 0xC0) return 0x0410 + (c - 0xC0);
    return kHigh[c - 0x80];
}

int UnicodeToCp1251(char32_t u) {
    if (u < 0x80) return static_cast<int>(u);
    if (u >= 0x0410 && u <= 0x044F) return static_cast<int>(u - 0x0410 + 0xC0);
    for (size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == u) return static_cast<int>(0x80 + i);
    return -1;
}

std::string Utf8ToCp1251(std::string_view utf8, char substitute) {
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        char32_t u = 0;
        size_t n = DecodeUtf8(utf8, i, u);
        if (n == 0) {
            out += substitute;
            ++i;
            continue;
        }
        int b = UnicodeToCp1251(u);
        out += b < 0 ? substitute : static_cast<char>(b);
        i += n;
    }
    return out;
}

std::string Cp1251ToUtf8(std::string_view s) {
    std::string out;
    out.reserve(s.size() * 2);
    for (unsigned char c : s) AppendUtf8(out, Cp1251ToUnicode(c));
    return out;
}

bool IsValidUtf8(std::string_view s) {
    for (size_t i = 0; i < s.size();) {
        char32_t u = 0;
        size_t n = DecodeUtf8(s, i, u);
        if (n == 0) return false;
        i += n;
    }
    return true;
}

unsigned char UpperChar(unsigned char c) { return kCase.upper[c]; }
unsigned char LowerChar(unsigned char c) { return kCase.lower[c]; }

std::string UpperCase(std::string_view s) {
    std::string r(s);
    for (auto& ch : r) ch = static_cast<char>(kCase.upper[static_cast<unsigned char>(ch)]);
    return r;
}

std::string LowerCase(std::string_view s) {
    std::string r(s);
    for (auto& ch : r) ch = static_cast<char>(kCase.lower[static_cast<unsigned char>(ch)]);
    return r;
}

} // namespace vez
