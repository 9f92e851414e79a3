#pragma once
// Whole texts the users see in the cases the tests re-create, as they appear on screen; the
// tests compare against these rather than against the pieces the program builds them from.

#include <QString>

namespace zelko6::test {

inline const QString kShortReplyFailure = QStringLiteral("プログラマ接続確認エラー。【17】");
inline const QString kSilentBoardFailure = QStringLiteral("プログラマ接続確認エラー。【0】");
inline const QString kCom1NotConnected = QStringLiteral("COM1 : ライター未接続");
inline const QString kWaiting9 = QStringLiteral("Waiting.... 9");
inline const QString kWaiting8 = QStringLiteral("Waiting.... 8");

} // namespace zelko6::test
