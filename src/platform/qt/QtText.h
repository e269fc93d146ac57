// The encoding edge between the core (Windows-1251) and Qt (QString).
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace vez {
QString ToQ(std::string_view cp1251);
std::string FromQ(const QString& s);
} // namespace vez
