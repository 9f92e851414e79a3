#pragma once
// What the file commands tell the user; the window and the command line show the same texts.

#include <QString>

namespace zelko6::filetexts {
inline const QString kPleaseWait = QStringLiteral("しばらくお待ちください。");
inline const QString kCannotOpen = QStringLiteral("ファイルをオープンできませんでした。");
inline const QString kLoading = QStringLiteral("ファイルをロードしています..........");
inline const QString kOpened = QStringLiteral("ファイルオープン完了");
inline const QString kSaveCancelled = QStringLiteral("ファイル保存をキャンセルしました。");
inline const QString kOverwriteTitle = QStringLiteral("上書き保存");
inline const QString kOverwriteQuestion = QStringLiteral("ファイルが存在します。上書きしますか？");
inline const QString kSaving = QStringLiteral("ファイルに保存中..... ");
inline const QString kSaved = QStringLiteral("ファイルに保存終了。 ");
// When a load or save could not be done whole, the user is told so.
inline const QString kDoesNotFit =
    QStringLiteral("ファイルのデータがデバイスの容量を超えています。収まる部分だけを読み込みました。");
inline const QString kUnreadable =
    QStringLiteral("ファイルを最後まで読み込めませんでした。読み込めた部分だけを表示しています。");
inline const QString kBinaryTooLong =
    QStringLiteral("ファイルがデバイスの容量より大きいため、読み込みませんでした。");
inline const QString kBinaryShorter =
    QStringLiteral("ファイルオープン完了（ファイルがデバイスより小さいため、残りは0xFFです）");
inline const QString kNotSaved = QStringLiteral("ファイルを保存できませんでした。");
} // namespace zelko6::filetexts
