#include "platform/qt/QtText.h"

#include "platform/Text.h"

namespace vez {
QString ToQ(std::string_view cp1251) {
    std::string u = Cp1251ToUtf8(cp1251);
    return QString::fromUtf8(u.data(), static_cast<qsizetype>(u.size()));
}
std::string FromQ(const QString& s) { return Utf8ToCp1251(s.toUtf8().toStdString()); }
} // namespace vez
