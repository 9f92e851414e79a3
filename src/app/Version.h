#pragma once
#include <QString>

namespace zelko6 {

// The settings application name and the title of every message box without a title of its own.
inline const QString kAppTitle = QStringLiteral("ZELKO6");

inline QString versionText()
{
    return QStringLiteral("%1.%2.%3")
        .arg(ZELKO6_VERSION_MAJOR)
        .arg(ZELKO6_VERSION_MINOR)
        .arg(ZELKO6_VERSION_PATCH);
}

// "Ver 6.5.8": the About window's version caption, also the middle of the main window title.
inline QString versionCaption()
{
    return QStringLiteral("Ver ") + versionText();
}

} // namespace zelko6
