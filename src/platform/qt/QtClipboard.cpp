#include "platform/qt/QtClipboard.h"

#include "platform/qt/QtText.h"

#include <QClipboard>
#include <QGuiApplication>

namespace vez {

void QtClipboard::SetText(const std::string& cp1251) {
    // Lines of the core end in CR LF; other programs on Linux expect LF.
    QString t = ToQ(cp1251);
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QGuiApplication::clipboard()->setText(t);
}

} // namespace vez
