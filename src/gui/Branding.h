#pragma once
#include <QString>

namespace zelko6 {

// Our own maker's name and support page; shown on the splash and in the About window.
inline const QString kMakerName = QStringLiteral("Zelko Devices");
inline const QString kSupportUrl = QStringLiteral("https://www.zelko-devices.example/support/");

} // namespace zelko6
