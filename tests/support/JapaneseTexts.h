#pragma once
// The texts users see, written out as they appear on screen and in the files: the tests compare
// the program's output with these, never with the program's own way of making them.

#include <QString>

namespace zelko6::test::texts {

// Whole lines, never split: each text can be searched for exactly as the user reports it.
// clang-format off
// A reply did not come in time (or the port went away)
inline const QString kTimeOutText = QStringLiteral("タイムアウト");
// Appended after a failed read or verify
inline const QString kReadErrorSuffix = QStringLiteral("  リードエラー");
// Appended after a failed write
inline const QString kWriteErrorSuffix = QStringLiteral(" ライトエラー");
// Block Read start
inline const QString kReadingText = QStringLiteral("読み出し中.....");
// Read finished; elapsed seconds follow
inline const QString kReadDoneText = QStringLiteral("読み出し終了。 (");
// Closes every elapsed-time text
inline const QString kSecondsSuffix = QStringLiteral("sec)");
// Block Write start
inline const QString kWritingText = QStringLiteral("書き込み中.....");
// Write finished; whole seconds follow
inline const QString kWriteDoneText = QStringLiteral("書き込み終了。 (");
// Verify running
inline const QString kVerifyingText = QStringLiteral("ベリファイ中.....");
// Verify found differing bytes
inline const QString kVerifyErrorText = QStringLiteral("ベリファイ エラー。");
// Write and verify finished; summed seconds follow
inline const QString kVerifyDoneText = QStringLiteral("書込み・ベリファイ 正常終了。 (");
// A verify on its own finished; its seconds follow
inline const QString kVerifyAloneDoneText = QStringLiteral("ベリファイ 正常終了。 (");
// The verify log beside the program
inline const QString kVerifyLogName = QStringLiteral("VerifyLog.txt");
// First log line
inline const QString kLogTitle = QStringLiteral("ベリファイ結果");
// Log column heads
inline const QString kLogAddressHead = QStringLiteral("アドレス");
inline const QString kLogExpectedHead = QStringLiteral("正");
inline const QString kLogActualHead = QStringLiteral("誤");
// After the mismatch count
inline const QString kLogCountSuffix = QStringLiteral("個のエラーがありました。");
// The comparison stopped on a link failure
inline const QString kLogLinkErrorLine = QStringLiteral("通信エラーが発生しました。");
// Last log line
inline const QString kLogEndLine = QStringLiteral("--- END ---");
// First six characters of the board's identification
inline const QString kFirmwarePrefix = QStringLiteral("QT-LNK");
// Countdown of the connection check; seconds left follow
inline const QString kWaitingPrefix = QStringLiteral("Waiting.... ");
// Between the port name and the firmware id
inline const QString kPortSeparator = QStringLiteral(" : ");
// Connection check failed
inline const QString kCheckErrorText = QStringLiteral("プログラマ接続確認エラー。");
// Time-out: pending count follows
inline const QString kCheckErrorCountOpen = QStringLiteral("プログラマ接続確認エラー。【");
inline const QString kCheckErrorCountClose = QStringLiteral("】");
// After the port name when no board answered
inline const QString kNotConnectedSuffix = QStringLiteral(" : ライター未接続");
// Firmware below version 6
inline const QString kOldFirmwareText = QStringLiteral("このファームウエアバージョンでは、ZELKO6.EXEは使用できません。ファームウエアバージョン６以上をご使用ください。");
// Port name in messages: COM + number
inline const QString kPortNamePrefix = QStringLiteral("COM");
// The port window's probe failed
inline const QString kPortUnusableText = QStringLiteral("指定した通信ポートは使用できませんでした。");

// Refusals before anything is sent: a catalogue row or a typed size the transfer cannot honour.
inline const QString kRefusedAccessSize = QStringLiteral("アクセスサイズが不正です（バッファの大きさを超えているか、0以下です）。");
inline const QString kRefusedAddress = QStringLiteral("アドレスが選択されていません。");
inline const QString kRefusedBus = QStringLiteral("デバイス定義のバス種別が不正です（2または3）。");
inline const QString kRefusedPageSize = QStringLiteral("デバイス定義のページサイズが0です。");
inline const QString kRefusedAdrMode = QStringLiteral("デバイス定義のアドレスモードが不正です（0～2）。");
inline const QString kRefusedExtParam = QStringLiteral("デバイス定義の拡張パラメータが不正です（0～255）。");

// Why the connection check could not open the port; appended to kCheckErrorText.
inline const QString kPortMissingReason = QStringLiteral("ポートが見つかりません: ");
inline const QString kPortBusyReason = QStringLiteral("ポートは使用中か、アクセス権がありません: ");
inline const QString kPortFailedReason = QStringLiteral("ポートを開けません: ");
// clang-format on

} // namespace zelko6::test::texts

namespace zelko6::test::filetexts {
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
} // namespace zelko6::test::filetexts
