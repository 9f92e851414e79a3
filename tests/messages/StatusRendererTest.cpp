// What the status panels say for each thing the core reports, written out as the users read it.

#include "messages/StatusRenderer.h"
#include "messages/StatusTexts.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace zelko6::test {
namespace {

struct Rendered {
    RecordingStatusPanels panels;
    StatusRenderer renderer;
    explicit Rendered(StatusRenderer::Wording wording = StatusRenderer::Wording::AsTheWindowShows)
        : renderer(panels, wording)
    {
    }
    Rendered &operator<<(const StatusEvent &event)
    {
        renderer.render(event);
        return *this;
    }
    QStringList historyOf(int panel) const { return panels.historyOf(panel); }
};

TEST(StatusTexts, ThePermissionAdviceSaysOnlyWhatWouldHelp)
{
    using Remedy = PermissionAdvice::Remedy;
    const QString device = QStringLiteral("/dev/ttyS0");
    const struct {
        PermissionAdvice advice;
        QStringList lines;
    } cases[] = {
        {{Remedy::JoinGroup, QStringLiteral("root"), QStringLiteral("dialout"), false},
         {QStringLiteral("ポートを開く権限がありません: /dev/ttyS0（グループ dialout）。"),
          QStringLiteral("次のコマンドを実行してから、ログインし直してください:"),
          QStringLiteral("sudo usermod -aG dialout $USER")}},
        {{Remedy::JoinGroup, QStringLiteral("root"), QStringLiteral("uucp"), true},
         {QStringLiteral("ポートを開く権限がありません: /dev/ttyS0（グループ uucp）。"),
          QStringLiteral("udev ルール 60-zelko6.rules "
                         "がインストールされていません。これがあれば、グループに入らなくても、"
                         "ログイン中の利用者が一般的な USB シリアル変換器を使えます（zelko6 "
                         "パッケージに含まれています）。"),
          QStringLiteral("次のコマンドを実行してから、ログインし直してください:"),
          QStringLiteral("sudo usermod -aG uucp $USER")}},
        {{Remedy::LogInAgain, QStringLiteral("root"), QStringLiteral("dialout"), false},
         {QStringLiteral("ポートを開く権限がありません: /dev/ttyS0（グループ dialout）。"),
          QStringLiteral(
              "グループ dialout には追加済みですが、このセッションの開始後に追加されたため、まだ有効になって"
              "いません。ログインし直してください。")}},
        {{Remedy::NotForUsers, QStringLiteral("root"), QStringLiteral("root"), false},
         {QStringLiteral("ポートを開く権限がありません: /dev/ttyS0（所有者 root、グループ root）。"),
          QStringLiteral(
              "このデバイスは利用者が使うためのものではありません。代わりにシリアル変換器自身のデバイス"
              "（/dev/ttyUSB0、/dev/ttyACM0 など）を選んでください。")}},
        {{Remedy::Unknown, QStringLiteral("ada"), QStringLiteral("ada"), false},
         {QStringLiteral("ポートを開く権限がありません: /dev/ttyS0")}},
        // Windows denies a port another program holds: no group to join, no command to run.
        {{Remedy::CloseHolder, {}, {}, false},
         {QStringLiteral(
             "ポートへのアクセスが拒否されました: /dev/ttyS0。他のプログラムがこのポートを使用中です。"
             "そのプログラムを閉じてから、もう一度お試しください。")}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.lines.first().toStdString());
        EXPECT_EQ(StatusTexts::permissionLines(device, c.advice), c.lines);
        const OpenFailure failure{OpenFailure::Kind::Permission, device, {}, c.advice};
        // The command never shares a line with anything in the box, and is whole on the status line.
        EXPECT_EQ(StatusTexts::portUnusable(failure),
                  QStringLiteral("指定した通信ポートは使用できませんでした。\n") + c.lines.join(u'\n'));
        EXPECT_EQ(StatusTexts::portRefusal(failure), c.lines.join(u' '));
    }
}

TEST(StatusRenderer, AReadFromStartToEnd)
{
    Rendered r;
    r << OperationStarted{OperationKind::ReadBlock} << CheckCountdown{9}
      << FirmwareIdentified{3, QStringLiteral("QT-LNK310 V 6.50"), 6.5f} << TransferProgress{50}
      << ReadCompleted{AccessScope::Block, 0, 0}
      << TransferFinished{OperationKind::ReadBlock, TransferPhase::Read, 0.96, {}, 0};
    EXPECT_EQ(r.historyOf(1), QStringList({"", "読み出し中.....", "", "読み出し終了。 (1.0sec)"}));
    EXPECT_EQ(r.historyOf(2), QStringList({"", "Waiting.... 9", "COM3 : QT-LNK310 V 6.50"}));
    EXPECT_EQ(r.historyOf(3), QStringList({"50%"}));

    constexpr auto kWriteAndVerify = OperationKind::WriteBlockAndVerify;
    Rendered write;
    write << OperationStarted{kWriteAndVerify}
          << TransferFinished{kWriteAndVerify, TransferPhase::Write, 12.9, {}, 0} << VerifyStarted{}
          << TransferFinished{kWriteAndVerify, TransferPhase::Verify, 1.24, 3.4, 0};
    EXPECT_EQ(write.historyOf(1),
              QStringList({"", "書き込み中.....", "書き込み終了。 (12sec)", "ベリファイ中.....", "",
                           "書込み・ベリファイ 正常終了。 (4.6sec)"}));
    write << TransferFinished{kWriteAndVerify, TransferPhase::Verify, 1, 0.0, 2};
    EXPECT_EQ(write.panels.panel(1), QStringLiteral("ベリファイ エラー。"));
}

// Each kind's start, finish and failure texts: a verify of its own says so and counts only its own
// time, a verify of a write just made (the command line's write) adds the write's; a failed write
// is a write error, every other failed transfer a read error.
TEST(StatusRenderer, EachKindStartsFinishesAndFailsWithItsOwnTexts)
{
    using enum OperationKind;
    using enum TransferPhase;
    const QString read = QStringLiteral("  リードエラー"), write = QStringLiteral(" ライトエラー");
    const struct {
        TransferFinished finished;
        const char *start;
        const char *end;
        QString suffix;
    } cases[] = {
        {{ReadBlock, Read, 0.96, {}, 0}, "読み出し中.....", "読み出し終了。 (1.0sec)", read},
        {{ReadByte, Read, 0.96, {}, 0}, nullptr, "読み出し終了。 (1.0sec)", read},
        {{BlankCheck, Read, 2.25, {}, 0}, "ブランクチェック中.....", "読み出し終了。 (2.3sec)", read},
        {{WriteBlock, Write, 2.5, {}, 0}, "書き込み中.....", "書き込み終了。 (2sec)", write},
        {{WriteByte, Write, 0.7, {}, 0}, nullptr, "書き込み終了。 (0sec)", write},
        {{WriteBlockAndVerify, Write, 2.5, {}, 0}, "書き込み中.....", "書き込み終了。 (2sec)", write},
        {{WriteBlockAndVerify, Verify, 1.24, 0.0, 0},
         "書き込み中.....",
         "書込み・ベリファイ 正常終了。 (1.2sec)",
         read},
        {{VerifyBlock, Verify, 1.24, {}, 0}, nullptr, "ベリファイ 正常終了。 (1.2sec)", read},
        {{VerifyBlock, Verify, 1.24, 3.4, 0}, nullptr, "書込み・ベリファイ 正常終了。 (4.6sec)", read},
        {{VerifyBlock, Verify, 1.24, {}, 7}, nullptr, "ベリファイ エラー。", read},
    };
    for (const auto &c : cases) {
        Rendered r;
        r << OperationStarted{c.finished.kind};
        const QStringList started = c.start ? QStringList{"", QString::fromUtf8(c.start)} : QStringList{""};
        EXPECT_EQ(r.historyOf(1), started) << c.end;
        r << c.finished;
        EXPECT_EQ(r.panels.panel(1), QString::fromUtf8(c.end));
        r << TransferFailed{c.finished.kind, c.finished.phase, LinkResult::TimedOut};
        EXPECT_EQ(r.panels.panel(1), QString::fromUtf8(c.end) + c.suffix) << c.end;
    }
}

TEST(StatusRenderer, FailuresAsTheWindowHasAlwaysShownThem)
{
    Rendered timeOut;
    timeOut << ReplyMissed{LinkResult::TimedOut}
            << TransferFailed{OperationKind::ReadBlock, TransferPhase::Read, LinkResult::TimedOut};
    EXPECT_EQ(timeOut.historyOf(1), QStringList({"タイムアウト", "タイムアウト  リードエラー"}));

    // A wrong acknowledgement shows no time-out: the write's text gets the suffix.
    Rendered wrong;
    wrong << OperationStarted{OperationKind::WriteBlock} << ReplyMissed{LinkResult::WrongReply}
          << TransferFailed{OperationKind::WriteBlock, TransferPhase::Write, LinkResult::WrongReply};
    EXPECT_EQ(wrong.panels.panel(1), QStringLiteral("書き込み中..... ライトエラー"));

    // The window says "time-out" for a lost port and an interruption; the command line names them.
    for (LinkResult failure : {LinkResult::PortLost, LinkResult::Interrupted}) {
        Rendered window;
        window << ReplyMissed{failure}
               << TransferFailed{OperationKind::VerifyBlock, TransferPhase::Verify, failure};
        EXPECT_EQ(window.panels.panel(1), QStringLiteral("タイムアウト  リードエラー"));
    }
    Rendered cli(StatusRenderer::Wording::Distinct);
    cli << ReplyMissed{LinkResult::PortLost};
    EXPECT_EQ(cli.panels.panel(1), QStringLiteral("通信ポートが切断されました"));
    cli << ReplyMissed{LinkResult::Interrupted}
        << TransferFailed{OperationKind::ReadBlock, TransferPhase::Read, LinkResult::Interrupted};
    EXPECT_EQ(cli.panels.panel(1), QStringLiteral("中断しました  リードエラー"));

    Rendered refused;
    refused << TransferRefused{Refusal::AccessSize};
    EXPECT_EQ(refused.panels.panel(1),
              QStringLiteral("アクセスサイズが不正です（バッファの大きさを超えているか、0以下です）。"));
}

// A failed check says why on the status panel, on one line (what would help, where something would;
// a port another program holds is told apart), and which port has no programmer on the port panel.
TEST(StatusRenderer, TheConnectionCheckAndItsFailures)
{
    using Kind = OpenFailure::Kind;
    using Remedy = PermissionAdvice::Remedy;
    const QString usb0 = QStringLiteral("/dev/ttyUSB0");
    const PermissionAdvice joinDialout{Remedy::JoinGroup, QStringLiteral("root"), QStringLiteral("dialout")};
    OpenFailure windowsDenied{Kind::Permission, QStringLiteral("COM3"), QStringLiteral("Access is denied.")};
    windowsDenied.permission.remedy = Remedy::CloseHolder;
    const struct {
        CheckFailed failed;
        const char *status;
        const char *port;
    } cases[] = {
        {{1, CheckResult::TimedOut, 17, {}}, "プログラマ接続確認エラー。【17】", "COM1 : ライター未接続"},
        {{2, CheckResult::PortUnusable, 0, OpenFailure{Kind::NotFound, QStringLiteral("/dev/ttyUSB7"), {}}},
         "プログラマ接続確認エラー。ポートが見つかりません: /dev/ttyUSB7",
         "COM2 : ライター未接続"},
        {{1, CheckResult::PortUnusable, 0, OpenFailure{Kind::Permission, usb0, {}, joinDialout}},
         "プログラマ接続確認エラー。ポートを開く権限がありません: /dev/ttyUSB0（グループ dialout）。 "
         "次のコマンドを実行してから、ログインし直してください: sudo usermod -aG dialout $USER",
         "COM1 : ライター未接続"},
        {{1, CheckResult::PortUnusable, 0, OpenFailure{Kind::InUse, usb0, {}, {}}},
         "プログラマ接続確認エラー。ポートは他のプログラムが使用中です: /dev/ttyUSB0",
         "COM1 : ライター未接続"},
        {{3, CheckResult::PortUnusable, 0, windowsDenied},
         "プログラマ接続確認エラー。ポートへのアクセスが拒否されました: COM3。他のプログラムがこのポートを"
         "使用中です。そのプログラムを閉じてから、もう一度お試しください。",
         "COM3 : ライター未接続"},
    };
    for (const auto &c : cases) {
        Rendered r;
        r << c.failed;
        EXPECT_EQ(r.historyOf(1), QStringList{QString::fromUtf8(c.status)});
        EXPECT_EQ(r.historyOf(2), QStringList{QString::fromUtf8(c.port)});
    }

    // Where there is nothing to do about it, the port window's box keeps its sentence alone.
    EXPECT_EQ(StatusTexts::portUnusable(OpenFailure{Kind::NotFound, QStringLiteral("/x"), {}, {}}),
              QStringLiteral("指定した通信ポートは使用できませんでした。"));

    Rendered foreign;
    foreign << ReplyUnrecognised{1, QStringLiteral("HELLO")};
    EXPECT_EQ(foreign.panels.history, (std::vector<std::pair<int, QString>>{{1, "プログラマ接続確認エラー。"},
                                                                            {2, "COM1 : ライター未接続"}}));
}

TEST(StatusRenderer, TheWindowsOwnTextsAndWhatACommandKeeps)
{
    Rendered r;
    r << ChipSelecting{QStringLiteral("ORG端子")} << GridRefreshStarted{} << GridRefreshProgress{100}
      << AddressSelected{131071} << GridRefreshFinished{} << ChipSelected{};
    EXPECT_EQ(r.historyOf(1), QStringList({"しばらくお待ちください。",
                                           "データ表示中です。　しばらくお待ちください。", "終了", ""}));
    EXPECT_EQ(r.historyOf(3), QStringList({"100%", "ADDRESS:131071"}));
    EXPECT_EQ(r.panels.panel(4), QStringLiteral("ORG端子"));

    r << FileStatus{FileStage::NotSaved, QStringLiteral("No space left on device")};
    EXPECT_EQ(r.panels.panel(1),
              QStringLiteral("ファイルを保存できませんでした。 (No space left on device)"));
    const StatusRenderer::Held held = r.renderer.hold({StatusPanel::Message, StatusPanel::Progress});
    r << GridRefreshStarted{} << GridRefreshProgress{7} << GridRefreshFinished{};
    r.renderer.restore(held);
    EXPECT_EQ(r.panels.panel(1),
              QStringLiteral("ファイルを保存できませんでした。 (No space left on device)"));
    EXPECT_EQ(r.panels.panel(3), QStringLiteral("ADDRESS:131071"));

    r << ChipRefused{ChipRefusal{QStringLiteral("X1"), ChipRefusal::Problem::NotANumber, kColPageSize, "x8"}};
    EXPECT_EQ(r.panels.panel(1),
              QStringLiteral("X1 : デバイス定義のページサイズが数値ではありません（x8）。"));
    r << ReadyForUse{};
    EXPECT_EQ(r.panels.panel(1), QStringLiteral("ﾌｧｰﾑｳｴｱﾊﾞｰｼﾞｮﾝ QT-LNK310 V6.50 以降を使用してください。"));
}

// A damaged file is never "opened" as if whole: the kind of damage and its line take the place, and
// where nothing is loaded, the first sentence stands alone.
TEST(StatusRenderer, ADamagedFileNamesItsDamageAndLine)
{
    using Kind = FileDamage::Kind;
    const QString loading = QStringLiteral("ファイルをロードしています..........");
    const QString partShown = QStringLiteral("読み込めた部分を表示しています。");
    const struct {
        FileDamage damage;
        const char *sentence;
        bool partIsShown;
    } cases[] = {
        {{Kind::WrongChecksum, 12}, "ファイルの12行目のチェックサムが合いません。", true},
        {{Kind::WrongChecksum, 5}, "ファイルの5行目のチェックサムが合いません。", true},
        {{Kind::CutOff, 3}, "ファイルの3行目のレコードが途中で切れています。", true},
        {{Kind::CutOff, 6}, "ファイルの6行目のレコードが途中で切れています。", true},
        {{Kind::NoData, 40}, "ファイルにデータレコードがありません（40行）。", false},
        {{Kind::NoData, 0}, "ファイルにデータレコードがありません（0行）。", false},
        {{Kind::NoEnd, 8193}, "ファイルにエンドレコードがありません（8193行）。", true},
        {{Kind::NoEnd, 7}, "ファイルにエンドレコードがありません（7行）。", true},
    };
    for (const auto &c : cases) {
        const QString sentence = QString::fromUtf8(c.sentence);
        Rendered r;
        r << FileStatus{FileStage::Loading, {}} << FileStatus{FileStage::Damaged, {}, c.damage};
        EXPECT_EQ(r.historyOf(1), QStringList({loading, c.partIsShown ? sentence + partShown : sentence}));
        EXPECT_EQ(StatusTexts::fileDamageAlone(c.damage), sentence);
    }
}

TEST(StatusTexts, SecondsAsTheTextsShowThem)
{
    EXPECT_EQ(QStringLiteral("12.3"), StatusTexts::tenths(12.34));
    EXPECT_EQ(QStringLiteral("1.0"), StatusTexts::tenths(0.96));
    EXPECT_EQ(QStringLiteral("0.0"), StatusTexts::tenths(0.04));
    EXPECT_EQ(QStringLiteral("12"), StatusTexts::wholeSeconds(12.9));
    EXPECT_EQ(QStringLiteral("0"), StatusTexts::wholeSeconds(0.99));
}

} // namespace
} // namespace zelko6::test
