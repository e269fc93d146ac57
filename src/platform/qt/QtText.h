// The encoding edge between the core (Windows-1251) and Qt (QString).
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace vez {
QString ToQ(std::string_view cp1251);
// A UTF-8 literal of a window's own text.
inline QString U(const char* utf8) { return QString::fromUtf8(utf8); }
std::string FromQ(const QString& s);
} // namespace vez
