#include "gui/QtPlatform.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

namespace zelko6 {

static QMessageBox::Icon toQt(BoxIcon icon)
{
    switch (icon) {
    case BoxIcon::Error:
        return QMessageBox::Critical;
    case BoxIcon::Question:
        return QMessageBox::Question;
    case BoxIcon::Information:
        return QMessageBox::Information;
    case BoxIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

BoxAnswer QtMessageBoxes::show(BoxIcon icon, BoxButtons buttons, const QString &title, const QString &text)
{
    const auto qtButtons =
        buttons == BoxButtons::OkCancel ? (QMessageBox::Ok | QMessageBox::Cancel) : QMessageBox::Ok;
    QMessageBox box(toQt(icon), title, text, qtButtons, owner_);
    return box.exec() == QMessageBox::Ok ? BoxAnswer::Ok : BoxAnswer::Cancel;
}

void DesktopShell::open(const QString &pathOrUrl)
{
    const QUrl url =
        pathOrUrl.contains(QStringLiteral("://")) ? QUrl(pathOrUrl) : QUrl::fromLocalFile(pathOrUrl);
    QDesktopServices::openUrl(url);
}

} // namespace zelko6
