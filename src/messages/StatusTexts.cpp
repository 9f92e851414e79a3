#include "messages/StatusTexts.h"

#include "core/devices/DeviceTable.h"
#include "core/programmer/UdevRules.h"
#include "core/text/HexText.h"

#include <cmath>

namespace zelko6 {

QString StatusTexts::tenths(double seconds)
{
    return QString::number(std::round(seconds * 10.0) / 10.0, 'f', 1);
}

QString StatusTexts::wholeSeconds(double seconds)
{
    return QString::number(static_cast<int64_t>(std::floor(seconds)));
}

QString StatusTexts::started(OperationKind kind)
{
    switch (kind) {
    case OperationKind::ReadBlock:
        return reading();
    case OperationKind::WriteBlock:
    case OperationKind::WriteBlockAndVerify:
        return writing();
    case OperationKind::BlankCheck:
        return blankChecking();
    case OperationKind::ReadByte:
    case OperationKind::WriteByte:
    case OperationKind::VerifyBlock: // says so once its connection check has passed
        return {};
    }
    return {};
}

QString StatusTexts::transferDone(const TransferFinished &finished)
{
    const auto verified = [&] {
        if (finished.mismatches != 0)
            return verifyError();
        return finished.writeSeconds ? verifyDone(*finished.writeSeconds + finished.seconds)
                                     : verifyAloneDone(finished.seconds);
    };
    switch (finished.kind) {
    case OperationKind::ReadBlock:
    case OperationKind::ReadByte:
    case OperationKind::BlankCheck: // its result takes the place at once
        return readDone(finished.seconds);
    case OperationKind::WriteBlock:
    case OperationKind::WriteByte:
        return writeDone(finished.seconds);
    case OperationKind::WriteBlockAndVerify:
        return finished.phase == TransferPhase::Write ? writeDone(finished.seconds) : verified();
    case OperationKind::VerifyBlock:
        return verified();
    }
    return {};
}

QString StatusTexts::reading()
{
    return tr("読み出し中.....");
}

QString StatusTexts::writing()
{
    return tr("書き込み中.....");
}

QString StatusTexts::verifying()
{
    return tr("ベリファイ中.....");
}

QString StatusTexts::readDone(double seconds)
{
    return tr("読み出し終了。 (%1sec)").arg(tenths(seconds));
}

QString StatusTexts::writeDone(double seconds)
{
    return tr("書き込み終了。 (%1sec)").arg(wholeSeconds(seconds));
}

QString StatusTexts::verifyDone(double seconds)
{
    return tr("書込み・ベリファイ 正常終了。 (%1sec)").arg(tenths(seconds));
}

QString StatusTexts::verifyAloneDone(double seconds)
{
    return tr("ベリファイ 正常終了。 (%1sec)").arg(tenths(seconds));
}

QString StatusTexts::verifyError()
{
    return tr("ベリファイ エラー。");
}

QString StatusTexts::replyMissed(LinkResult failure, bool distinct)
{
    if (distinct && failure == LinkResult::PortLost)
        return tr("通信ポートが切断されました");
    if (distinct && failure == LinkResult::Interrupted)
        return tr("中断しました");
    return tr("タイムアウト");
}

QString StatusTexts::errorSuffix(const TransferFailed &failed)
{
    switch (failed.kind) {
    case OperationKind::ReadBlock:
    case OperationKind::ReadByte:
    case OperationKind::VerifyBlock:
    case OperationKind::BlankCheck:
        return readErrorSuffix();
    case OperationKind::WriteBlock:
    case OperationKind::WriteByte:
        return writeErrorSuffix();
    case OperationKind::WriteBlockAndVerify:
        return failed.phase == TransferPhase::Write ? writeErrorSuffix() : readErrorSuffix();
    }
    return {};
}

QString StatusTexts::readErrorSuffix()
{
    return tr("  リードエラー");
}

QString StatusTexts::writeErrorSuffix()
{
    return tr(" ライトエラー");
}

QString StatusTexts::refusal(Refusal refusal)
{
    switch (refusal) {
    case Refusal::Bus:
        return tr("デバイス定義のバス種別が不正です（2または3）。");
    case Refusal::AdrMode:
        return tr("デバイス定義のアドレスモードが不正です（0～2）。");
    case Refusal::ExtParam:
        return tr("デバイス定義の拡張パラメータが不正です（0～255）。");
    case Refusal::PageSize:
        return tr("デバイス定義のページサイズが0です。");
    case Refusal::AccessSize:
        return tr("アクセスサイズが不正です（バッファの大きさを超えているか、0以下です）。");
    case Refusal::Address:
        return tr("アドレスが選択されていません。");
    }
    return {};
}

QString StatusTexts::countdown(int secondsLeft)
{
    return tr("Waiting.... %1").arg(secondsLeft);
}

QString StatusTexts::portLine(int portNumber, const QString &firmwareId)
{
    return tr("COM%1 : %2").arg(QString::number(portNumber), firmwareId);
}

QString StatusTexts::notConnected(int portNumber)
{
    return tr("COM%1 : ライター未接続").arg(portNumber);
}

QString StatusTexts::checkFailed()
{
    return tr("プログラマ接続確認エラー。");
}

QString StatusTexts::checkFailedWaiting(CheckResult reason, int pending, bool distinct)
{
    if (distinct && reason == CheckResult::PortLost)
        return tr("プログラマ接続確認エラー。通信ポートが切断されました。");
    if (distinct && reason == CheckResult::Interrupted)
        return tr("プログラマ接続確認エラー。中断しました。");
    return tr("プログラマ接続確認エラー。【%1】").arg(pending);
}

QString StatusTexts::checkFailedOpening(const OpenFailure &failure)
{
    switch (failure.kind) {
    case OpenFailure::Kind::NotFound:
        return tr("プログラマ接続確認エラー。ポートが見つかりません: %1").arg(failure.device);
    case OpenFailure::Kind::Busy:
        return tr("プログラマ接続確認エラー。ポートは使用中か、アクセス権がありません: %1")
            .arg(failure.device);
    case OpenFailure::Kind::InUse:
    case OpenFailure::Kind::Permission:
        return tr("プログラマ接続確認エラー。%1").arg(portRefusal(failure));
    case OpenFailure::Kind::Other:
        break;
    }
    return tr("プログラマ接続確認エラー。ポートを開けません: %1 (%2)").arg(failure.device, failure.detail);
}

QString StatusTexts::oldFirmware()
{
    return tr("このファームウエアバージョンでは、ZELKO6."
              "EXEは使用できません。ファームウエアバージョン６以上をご使用く"
              "ださい。");
}

QString StatusTexts::portUnusable()
{
    return tr("指定した通信ポートは使用できませんでした。");
}

QString StatusTexts::portUnusable(const OpenFailure &failure)
{
    // The box has always said only that the port could not be used; where the user can do
    // something about it, a second line says what.
    if (failure.kind == OpenFailure::Kind::Permission)
        return (QStringList{portUnusable()} + permissionLines(failure.device, failure.permission))
            .join(u'\n');
    const QString refusal = portRefusal(failure);
    if (refusal.isEmpty())
        return portUnusable();
    return portUnusable() + u'\n' + refusal;
}

QString StatusTexts::portRefusal(const OpenFailure &failure)
{
    switch (failure.kind) {
    case OpenFailure::Kind::InUse:
        return tr("ポートは他のプログラムが使用中です: %1").arg(failure.device);
    case OpenFailure::Kind::Permission:
        return permissionLines(failure.device, failure.permission).join(u' ');
    default:
        return {};
    }
}

QStringList StatusTexts::permissionLines(const QString &device, const PermissionAdvice &advice)
{
    using Remedy = PermissionAdvice::Remedy;
    switch (advice.remedy) {
    case Remedy::Unknown:
        break;
    case Remedy::JoinGroup: {
        // The command comes last, so that on one line too nothing follows it but its end.
        QStringList lines{tr("ポートを開く権限がありません: %1（グループ %2）。").arg(device, advice.group)};
        if (advice.udevRuleMissing)
            lines << tr("udev ルール %1 がインストールされていません。これがあれば、グループに入らなくても、"
                        "ログイン中の利用者が一般的な USB シリアル変換器を使えます（zelko6 "
                        "パッケージに含まれています）。")
                         .arg(kOwnUdevRuleName);
        return lines << tr("次のコマンドを実行してから、ログインし直してください:")
                     << QStringLiteral("sudo usermod -aG %1 $USER").arg(advice.group);
    }
    case Remedy::LogInAgain:
        return {tr("ポートを開く権限がありません: %1（グループ %2）。").arg(device, advice.group),
                tr("グループ %1 "
                   "には追加済みですが、このセッションの開始後に追加されたため、まだ有効になっていません。"
                   "ログインし直してください。")
                    .arg(advice.group)};
    case Remedy::NotForUsers:
        return {tr("ポートを開く権限がありません: %1（所有者 %2、グループ %3）。")
                    .arg(device, advice.owner, advice.group),
                tr("このデバイスは利用者が使うためのものではありません。代わりにシリアル変換器自身のデバイス"
                   "（/dev/ttyUSB0、/dev/ttyACM0 など）を選んでください。")};
    }
    return {tr("ポートを開く権限がありません: %1").arg(device)};
}

QString StatusTexts::fileStatus(FileStage stage, const QString &detail)
{
    return fileStatus(FileStatus{stage, detail});
}

QString StatusTexts::fileStatus(const FileStatus &status)
{
    switch (status.stage) {
    case FileStage::PleaseWait:
        return pleaseWait();
    case FileStage::CannotOpen:
        if (const QString why = fileRefusal(status.refusal); !why.isEmpty())
            return tr("ファイルをオープンできませんでした。") + QStringLiteral(" (") + why + u')';
        return tr("ファイルをオープンできませんでした。");
    case FileStage::Loading:
        return tr("ファイルをロードしています..........");
    case FileStage::Loaded:
        return tr("ファイルオープン完了");
    case FileStage::Damaged:
        return fileDamage(status.damage);
    case FileStage::LoadedShorter:
        return tr("ファイルオープン完了（ファイルがデバイスより小さいため、残りは0xFFです）");
    case FileStage::DoesNotFit:
        return tr("ファイルのデータがデバイスの容量を超えています。収まる部分だけを読み込みました。");
    case FileStage::Unreadable:
        return tr("ファイルを最後まで読み込めませんでした。読み込めた部分だけを表示しています。");
    case FileStage::BinaryTooLong:
        return tr("ファイルがデバイスの容量より大きいため、読み込みませんでした。");
    case FileStage::SaveCancelled:
        return tr("ファイル保存をキャンセルしました。");
    case FileStage::Saving:
        return tr("ファイルに保存中..... ");
    case FileStage::Saved:
        return tr("ファイルに保存終了。 ");
    case FileStage::NotSaved:
        return notSaved() + QStringLiteral(" (") + status.detail + u')';
    case FileStage::Compared:
        return status.differences == 0 ? tr("ファイルと比較しました。相違はありません。")
                                       : tr("ファイルと比較しました。%n バイトの相違があります。", nullptr,
                                            static_cast<int>(status.differences));
    }
    return {};
}

QString StatusTexts::otherValue(ComparedWith comparedWith, uint8_t value)
{
    const QString hex = byteCellText(value);
    return comparedWith == ComparedWith::Chip ? tr("チップの値: %1").arg(hex)
                                              : tr("ファイルの値: %1").arg(hex);
}

QString StatusTexts::fileDamage(const FileDamage &damage)
{
    const QString line = QString::number(damage.line);
    switch (damage.kind) {
    case FileDamage::Kind::None:
        break;
    case FileDamage::Kind::WrongChecksum:
        return tr("ファイルの%1行目のチェックサムが合いません。読み込めた部分を表示しています。").arg(line);
    case FileDamage::Kind::CutOff:
        return tr("ファイルの%1行目のレコードが途中で切れています。読み込めた部分を表示しています。")
            .arg(line);
    case FileDamage::Kind::NoData:
        return fileDamageAlone(damage);
    case FileDamage::Kind::NoEnd:
        return tr("ファイルにエンドレコードがありません（%1行）。読み込めた部分を表示しています。").arg(line);
    }
    return {};
}

QString StatusTexts::fileDamageAlone(const FileDamage &damage)
{
    const QString line = QString::number(damage.line);
    switch (damage.kind) {
    case FileDamage::Kind::None:
        break;
    case FileDamage::Kind::WrongChecksum:
        return tr("ファイルの%1行目のチェックサムが合いません。").arg(line);
    case FileDamage::Kind::CutOff:
        return tr("ファイルの%1行目のレコードが途中で切れています。").arg(line);
    case FileDamage::Kind::NoData:
        // Nothing was loaded, so there is no part to show.
        return tr("ファイルにデータレコードがありません（%1行）。").arg(line);
    case FileDamage::Kind::NoEnd:
        return tr("ファイルにエンドレコードがありません（%1行）。").arg(line);
    }
    return {};
}

QString StatusTexts::fileRefusal(const FileRefusal &refusal)
{
    switch (refusal.kind) {
    case FileRefusal::Kind::None:
        break;
    case FileRefusal::Kind::Folder:
        return tr("フォルダーです");
    case FileRefusal::Kind::NotAFile:
        return tr("通常のファイルではありません");
    case FileRefusal::Kind::CannotOpen:
        return refusal.reason;
    case FileRefusal::Kind::TooLong:
        return tr("この形式のイメージのファイルとしては長すぎます: %1 バイト超").arg(refusal.limit);
    }
    return {};
}

QString StatusTexts::overwriteTitle()
{
    return tr("上書き保存");
}

QString StatusTexts::overwriteQuestion()
{
    return tr("ファイルが存在します。上書きしますか？");
}

QString StatusTexts::notSaved()
{
    return tr("ファイルを保存できませんでした。");
}

QString StatusTexts::doesNotFitAlone()
{
    return tr("ファイルのデータがデバイスの容量を超えています。");
}

QString StatusTexts::unreadableAlone()
{
    return tr("ファイルを最後まで読み込めませんでした。");
}

QString StatusTexts::pleaseWait()
{
    return tr("しばらくお待ちください。");
}

QString StatusTexts::gridRefreshing()
{
    return tr("データ表示中です。　しばらくお待ちください。");
}

QString StatusTexts::gridRefreshed()
{
    return tr("終了");
}

QString StatusTexts::address(int address)
{
    return tr("ADDRESS:%1").arg(address);
}

QString StatusTexts::bufferCleared()
{
    return tr("ＰＣのバッファをクリアしました。");
}

QString StatusTexts::startupHint()
{
    return tr("ﾌｧｰﾑｳｴｱﾊﾞｰｼﾞｮﾝ QT-LNK310 V6.50 以降を使用してください。");
}

QString StatusTexts::chipRefusal(const ChipRefusal &refusal)
{
    using Problem = ChipRefusal::Problem;
    switch (refusal.problem) {
    case Problem::NotANumber: {
        QString column;
        switch (refusal.column) {
        case kColBus:
            column = tr("バス種別");
            break;
        case kColSizeExp:
            column = tr("サイズ指数");
            break;
        case kColPageSize:
            column = tr("ページサイズ");
            break;
        case kColAdrMode:
            column = tr("アドレスモード");
            break;
        default:
            column = tr("拡張パラメータ");
            break;
        }
        return tr("%1 : デバイス定義の%2が数値ではありません（%3）。")
            .arg(refusal.chipName, column, refusal.cell);
    }
    case Problem::Bus:
        return tr("%1 : このデバイスは使用できません。バス種別は2または3でなければなりません。")
            .arg(refusal.chipName);
    case Problem::SizeExp:
        return tr("%1 : このデバイスは使用できません。サイズ指数は4～24でなければなりません。")
            .arg(refusal.chipName);
    case Problem::AdrMode:
        return tr("%1 : このデバイスは使用できません。アドレスモードは0～2でなければなりません。")
            .arg(refusal.chipName);
    case Problem::ExtParam:
        return tr("%1 : このデバイスは使用できません。拡張パラメータは0～255でなければなりません。")
            .arg(refusal.chipName);
    }
    return {};
}

QString StatusTexts::percent(int value)
{
    return QString::number(value) + u'%';
}

QString StatusTexts::hexAddress(int64_t address)
{
    return QStringLiteral("0x") + QString::number(address, 16).toUpper().rightJustified(5, u'0');
}

QString StatusTexts::blankChecking()
{
    return tr("ブランクチェック中.....");
}

QString StatusTexts::blankCheckResult(const BlankChecked &result)
{
    if (result.nonBlank == 0)
        return tr("ブランクです。（%1 バイトすべて 0xFF）").arg(result.checked);
    // %n: the count, so that a language with plural forms says one byte and many bytes apart.
    return tr("ブランクではありません。 最初のデータ: %1　0xFF 以外: %n バイト", nullptr,
              static_cast<int>(result.nonBlank))
        .arg(hexAddress(result.firstNonBlank));
}

QString StatusTexts::searchResult(const SearchFinished &result)
{
    if (!result.found)
        return tr("見つかりませんでした。");
    if (result.wrapped)
        return tr("%1 で見つかりました。（折り返して検索）").arg(hexAddress(result.address));
    return tr("%1 で見つかりました。").arg(hexAddress(result.address));
}

QString StatusTexts::filled(const BufferFilled &fill)
{
    return tr("%1～%2 を埋めました。（%n バイト）", nullptr, static_cast<int>(fill.count))
        .arg(hexAddress(fill.first), hexAddress(fill.first + fill.count - 1));
}

} // namespace zelko6
