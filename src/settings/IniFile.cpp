#include "settings/IniFile.h"

#include <algorithm>

namespace vez {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

unsigned char AsciiLower(unsigned char c) {
    return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
}

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

} // namespace

bool IniNameEquals(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return AsciiLower(static_cast<unsigned char>(x)) == AsciiLower(static_cast<unsigned char>(y));
           });
}

void IniFile::Classify(Line& line, std::string_view text, const std::string& section) {
    line.kind = Kind::Other;
    line.name.clear();
    line.section = section;
    std::string_view t = Trim(text);
    if (t.empty() || t.front() == ';' || t.front() == '#') return;
    if (t.front() == '[') {
        size_t close = t.find(']');
        if (close == std::string_view::npos) return; // garbage: stays inside the current section
        line.kind = Kind::Section;
        line.name = std::string(Trim(t.substr(1, close - 1)));
        line.section = line.name;
        return;
    }
    size_t eq = t.find('=');
    if (eq == std::string_view::npos || eq == 0) return;
    std::string_view key = Trim(t.substr(0, eq));
    if (key.empty()) return;
    line.kind = Kind::Key;
    line.name = std::string(key);
}

IniFile IniFile::Parse(std::string_view bytes) {
    IniFile ini;
    std::string section;
    size_t pos = 0;
    while (pos < bytes.size()) {
        size_t lf = bytes.find('\n', pos);
        size_t end = lf == std::string_view::npos ? bytes.size() : lf;
        size_t len = end - pos;
        Line line;
        if (lf != std::string_view::npos) {
            bool cr = len > 0 && bytes[end - 1] == '\r';
            if (cr) --len;
            line.eol = cr ? "\r\n" : "\n";
        }
        line.text = std::string(bytes.substr(pos, len));
        std::string_view view = line.text;
        // An editor's byte order mark must not hide the first section.
        if (ini.lines_.empty() && view.starts_with(kUtf8Bom)) view.remove_prefix(kUtf8Bom.size());
        Classify(line, view, section);
        if (line.kind == Kind::Section) section = line.name;
        ini.lines_.push_back(std::move(line));
        if (lf == std::string_view::npos) break;
        pos = lf + 1;
    }
    return ini;
}

std::optional<IniFile> IniFile::Load(const fs::path& path) {
    auto bytes = ReadFileBytes(path);
    if (!bytes) return std::nullopt;
    return Parse(*bytes);
}

std::string IniFile::Text() const {
    std::string out;
    for (const Line& l : lines_) {
        out += l.text;
        out += l.eol;
    }
    return out;
}

bool IniFile::Save(const fs::path& path) const {
    fs::path temp = path;
    temp += ".promt";
    return AtomicRewrite(temp, path, Text());
}

std::optional<std::string> IniFile::Get(std::string_view section, std::string_view key) const {
    for (const Line& l : lines_) {
        if (l.kind == Kind::Key && IniNameEquals(l.section, section) && IniNameEquals(l.name, key)) {
            std::string_view t = l.text;
            return std::string(Trim(t.substr(t.find('=') + 1)));
        }
    }
    return std::nullopt;
}

bool IniFile::HasSection(std::string_view section) const {
    return std::any_of(lines_.begin(), lines_.end(), [&](const Line& l) {
        return l.kind == Kind::Section && IniNameEquals(l.name, section);
    });
}

std::vector<std::string> IniFile::Keys(std::string_view section) const {
    std::vector<std::string> keys;
    for (const Line& l : lines_)
        if (l.kind == Kind::Key && IniNameEquals(l.section, section)) keys.push_back(l.name);
    return keys;
}

std::string IniFile::DefaultEol() const {
    for (const Line& l : lines_)
        if (!l.eol.empty()) return l.eol;
    return "\r\n";
}

void IniFile::Set(std::string_view section, std::string_view key, std::string_view value) {
    std::string text(key);
    text += '=';
    for (char c : value)
        text += static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? ' ' : c;

    for (Line& l : lines_) {
        if (l.kind == Kind::Key && IniNameEquals(l.section, section) && IniNameEquals(l.name, key)) {
            l.text = std::move(text);
            l.name = std::string(key);
            return;
        }
    }
    const std::string eol = DefaultEol();
    Line keyLine;
    keyLine.text = std::move(text);
    keyLine.eol = eol;
    keyLine.kind = Kind::Key;
    keyLine.name = std::string(key);

    // After the last key of the first section of that name (or its header): comments and blank
    // lines that follow stay where they were, above the next section.
    size_t header = lines_.size();
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].kind == Kind::Section && IniNameEquals(lines_[i].name, section)) {
            header = i;
            break;
        }
    }
    if (header < lines_.size()) {
        size_t after = header;
        for (size_t i = header + 1; i < lines_.size() && lines_[i].kind != Kind::Section; ++i)
            if (lines_[i].kind == Kind::Key) after = i;
        keyLine.section = lines_[header].name;
        if (lines_[after].eol.empty()) lines_[after].eol = eol;
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(after) + 1, std::move(keyLine));
        return;
    }
    if (!lines_.empty()) {
        if (lines_.back().eol.empty()) lines_.back().eol = eol;
        if (!Trim(lines_.back().text).empty()) lines_.push_back(Line{"", eol, Kind::Other, "", ""});
    }
    Line sectionLine;
    sectionLine.text.append(1, '[').append(section).append(1, ']');
    sectionLine.eol = eol;
    sectionLine.kind = Kind::Section;
    sectionLine.name = std::string(section);
    sectionLine.section = sectionLine.name;
    keyLine.section = sectionLine.name;
    lines_.push_back(std::move(sectionLine));
    lines_.push_back(std::move(keyLine));
}

bool IniFile::Remove(std::string_view section, std::string_view key) {
    auto old = lines_.size();
    std::erase_if(lines_, [&](const Line& l) {
        return l.kind == Kind::Key && IniNameEquals(l.section, section) && IniNameEquals(l.name, key);
    });
    return lines_.size() != old;
}

} // namespace vez
