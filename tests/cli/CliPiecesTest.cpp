// The command line's own pieces in-process: reading the options, choosing the language, the
// results in English, the progress lines, and choosing chip, size and port.

#include "cli/CliOptions.h"
#include "cli/Commands.h"
#include "cli/Console.h"
#include "cli/ImageFiles.h"
#include "cli/InProcess.h"
#include "cli/Language.h"
#include "cli/Session.h"
#include "core/programmer/Transfer.h"
#include "messages/StatusTexts.h"
#include "support/JapaneseTexts.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QTranslator>
#include <cstdio>
#include <gtest/gtest.h>
#include <map>

namespace zelko6::cli {
namespace {

namespace texts = zelko6::test::texts;

// The options' complaints are checked as an English user reads them.
using CliOptionsTest = InEnglish;

CliOptions parsed(const QStringList &arguments)
{
    auto result = parseArguments(arguments);
    if (auto *error = std::get_if<UsageError>(&result))
        ADD_FAILURE() << error->message.toStdString();
    return std::get_if<CliOptions>(&result) ? std::get<CliOptions>(result) : CliOptions{};
}

QString usageErrorOf(const QStringList &arguments)
{
    auto result = parseArguments(arguments);
    return std::holds_alternative<UsageError>(result) ? std::get<UsageError>(result).message : QString();
}

bool hasJapanese(const QString &text)
{
    static const QRegularExpression japanese(
        QStringLiteral("[\\x{3000}-\\x{30FF}\\x{4E00}-\\x{9FFF}\\x{FF00}-\\x{FFEF}]"));
    return japanese.match(text).hasMatch();
}

TEST_F(CliOptionsTest, ValuesFilesAndTheirForms)
{
    const CliOptions o = parsed({QStringLiteral("write"), QStringLiteral("-"), QStringLiteral("--chip=24C02"),
                                 QStringLiteral("--size"), QStringLiteral("0x80"), QStringLiteral("--port"),
                                 QStringLiteral("/dev/ttyUSB0"), QStringLiteral("--no-verify"),
                                 QStringLiteral("--"), QStringLiteral("--odd-name.bin")});
    EXPECT_EQ(o.command, QStringLiteral("write"));
    EXPECT_EQ(o.files, (QStringList{QStringLiteral("-"), QStringLiteral("--odd-name.bin")}));
    EXPECT_EQ(o.chip, QStringLiteral("24C02"));
    EXPECT_EQ(o.size, 128);
    EXPECT_EQ(o.port, QStringLiteral("/dev/ttyUSB0"));
    EXPECT_TRUE(o.noVerify);

    EXPECT_EQ(parseNumber(QStringLiteral("010")), 10) << "a leading zero is not octal";
    EXPECT_EQ(parseNumber(QStringLiteral("0X1f")), 31);
    EXPECT_FALSE(parseNumber(QStringLiteral("-1")));
    EXPECT_FALSE(parseNumber(QStringLiteral("0x")));
    EXPECT_FALSE(parseNumber(QStringLiteral("12k")));
    EXPECT_FALSE(parseNumber(QString()));

    EXPECT_TRUE(
        usageErrorOf({QStringLiteral("list"), QStringLiteral("--chip")}).contains(QStringLiteral("missing")));
    EXPECT_TRUE(usageErrorOf({QStringLiteral("list"), QStringLiteral("--colour")})
                    .contains(QStringLiteral("--colour")));
    EXPECT_FALSE(usageErrorOf({QStringLiteral("list"), QStringLiteral("--probe=yes")}).isEmpty());
    EXPECT_FALSE(usageErrorOf({QStringLiteral("write"), QStringLiteral("--value"), QStringLiteral("0x100")})
                     .isEmpty());
    EXPECT_FALSE(
        usageErrorOf({QStringLiteral("read"), QStringLiteral("--format"), QStringLiteral("srec")}).isEmpty());
    EXPECT_FALSE(
        usageErrorOf({QStringLiteral("demo"), QStringLiteral("--baud"), QStringLiteral("0")}).isEmpty());
}

TEST(CliTextsTest, LanguageFromOptionThenLocale)
{
    const auto from = [](std::map<std::string, QByteArray> env) {
        return [env](const char *name) {
            const auto it = env.find(name);
            return it == env.end() ? QByteArray() : it->second;
        };
    };
    EXPECT_EQ(chooseLanguage(Language::English, from({{"LANG", "ja_JP.UTF-8"}})), Language::English);
    EXPECT_EQ(chooseLanguage(std::nullopt, from({{"LANG", "ja_JP.UTF-8"}})), Language::Japanese);
    EXPECT_EQ(chooseLanguage(std::nullopt, from({{"LC_ALL", "ja_JP.eucJP@euro"}, {"LANG", "C"}})),
              Language::Japanese);
    // LC_MESSAGES comes before LANG, and an empty variable is no answer.
    EXPECT_EQ(
        chooseLanguage(std::nullopt, from({{"LC_ALL", ""}, {"LC_MESSAGES", "de_DE"}, {"LANG", "ja_JP"}})),
        Language::English);
    EXPECT_EQ(chooseLanguage(std::nullopt, from({})), Language::English);

    // --lang is found before the arguments are read, in either form, but not among file names.
    EXPECT_EQ(languageArgument({QStringLiteral("frob"), QStringLiteral("--lang"), QStringLiteral("ja")}),
              Language::Japanese);
    EXPECT_EQ(languageArgument({QStringLiteral("--lang=en"), QStringLiteral("--colour")}), Language::English);
    EXPECT_EQ(languageArgument({QStringLiteral("--lang"), QStringLiteral("fr")}), std::nullopt);
    EXPECT_EQ(languageArgument({QStringLiteral("--"), QStringLiteral("--lang=ja")}), std::nullopt);
    EXPECT_EQ(languageArgument({QStringLiteral("--lang")}), std::nullopt);
}

TEST_F(InEnglish, ComposedResultsAreWholeEnglish)
{
    CapturedStream out, err;
    Console console(out.file(), err.file(), false);
    ConsoleReporter reporter(console, [] { return 0.0; });
    const auto messageAfter = [&](std::initializer_list<StatusEvent> events) {
        for (const StatusEvent &event : events)
            reporter.report(event);
        return reporter.message();
    };
    EXPECT_EQ(messageAfter({CheckFailed{3, CheckResult::TimedOut, 7, {}}}),
              QStringLiteral("Programmer connection check failed. [characters received: 7]"));
    EXPECT_EQ(
        messageAfter({CheckFailed{1, CheckResult::PortUnusable, 0,
                                  OpenFailure{OpenFailure::Kind::Busy, QStringLiteral("/dev/ttyUSB0"), {}}}}),
        QStringLiteral("Programmer connection check failed. Port in use or access denied: /dev/ttyUSB0"));
    using Remedy = PermissionAdvice::Remedy;
    const auto refused = [](PermissionAdvice advice) {
        return CheckFailed{
            1, CheckResult::PortUnusable, 0,
            OpenFailure{OpenFailure::Kind::Permission, QStringLiteral("/dev/ttyUSB0"), {}, advice}};
    };
    EXPECT_EQ(
        messageAfter({refused({Remedy::JoinGroup, QStringLiteral("root"), QStringLiteral("dialout"), true})}),
        QStringLiteral("Programmer connection check failed. No permission to open /dev/ttyUSB0, which "
                       "belongs to the group dialout. The udev rule 60-zelko6.rules is not installed: with "
                       "it, the user logged in at this computer can use the common USB serial adapters "
                       "without any group (the zelko6 package includes it). Run this command, then log out "
                       "and back in: sudo usermod -aG dialout $USER"));
    EXPECT_EQ(
        messageAfter({refused({Remedy::LogInAgain, QStringLiteral("root"), QStringLiteral("dialout")})}),
        QStringLiteral("Programmer connection check failed. No permission to open /dev/ttyUSB0, which "
                       "belongs to the group dialout. You were added to the group dialout after this "
                       "session began, so it does not count yet: log out and back in."));
    EXPECT_EQ(messageAfter({refused({Remedy::NotForUsers, QStringLiteral("root"), QStringLiteral("root")})}),
              QStringLiteral("Programmer connection check failed. No permission to open /dev/ttyUSB0 (owner "
                             "root, group root). This device is not meant for users: choose the serial "
                             "adapter's own device instead, such as /dev/ttyUSB0 or /dev/ttyACM0."));
    EXPECT_EQ(messageAfter({CheckFailed{
                  1, CheckResult::PortUnusable, 0,
                  OpenFailure{OpenFailure::Kind::InUse, QStringLiteral("/dev/ttyUSB0"), {}, {}}}}),
              QStringLiteral(
                  "Programmer connection check failed. Another program is using the port: /dev/ttyUSB0"));
    EXPECT_EQ(
        messageAfter({ReplyMissed{LinkResult::TimedOut},
                      TransferFailed{OperationKind::ReadBlock, TransferPhase::Read, LinkResult::TimedOut}}),
        QStringLiteral("Time-out - read error"));
    EXPECT_EQ(
        messageAfter({TransferFinished{OperationKind::VerifyBlock, TransferPhase::Verify, 2.34, 10.0, 0}}),
        QStringLiteral("Write and verify finished without error. (12.3sec)"));
    EXPECT_EQ(
        messageAfter({TransferFinished{OperationKind::VerifyBlock, TransferPhase::Verify, 2.34, {}, 0}}),
        QStringLiteral("Verify finished without error. (2.3sec)"));
    EXPECT_TRUE(err.text().contains(QStringLiteral("COM3 : programmer not connected\n")));
    EXPECT_EQ(StatusTexts::doesNotFitAlone() + QStringLiteral(" (a.hex: line 3)"),
              QStringLiteral("The file's data exceed the chip's capacity. (a.hex: line 3)"));
    // Whatever the core refuses with, an English user reads English.
    for (Refusal r : {Refusal::Bus, Refusal::AdrMode, Refusal::ExtParam, Refusal::PageSize,
                      Refusal::AccessSize, Refusal::Address})
        EXPECT_FALSE(hasJapanese(StatusTexts::refusal(r))) << StatusTexts::refusal(r).toStdString();
    for (const QString &text :
         {StatusTexts::reading(), StatusTexts::readDone(1), StatusTexts::writing(), StatusTexts::writeDone(1),
          StatusTexts::writeErrorSuffix(), StatusTexts::verifying(), StatusTexts::verifyError(),
          StatusTexts::oldFirmware(), StatusTexts::checkFailedOpening({OpenFailure::Kind::NotFound, {}, {}}),
          StatusTexts::checkFailedOpening({}), StatusTexts::fileStatus(FileStage::CannotOpen, {}),
          StatusTexts::fileStatus(FileStage::BinaryTooLong, {}),
          StatusTexts::fileStatus(FileStage::LoadedShorter, {}), StatusTexts::notSaved(),
          StatusTexts::fileStatus(FileStage::Saved, {}), StatusTexts::unreadableAlone()})
        EXPECT_FALSE(hasJapanese(text)) << text.toStdString();
}

TEST_F(CliOptionsTest, LenientAndTheFormatOfStandardStreams)
{
    CliOptions o = parsed({QStringLiteral("convert"), QStringLiteral("-"), QStringLiteral("b.bin"),
                           QStringLiteral("--format=srec"), QStringLiteral("--lenient")});
    EXPECT_EQ(o.dashFormat, ImageFormat::SRecord);
    EXPECT_TRUE(o.lenient);
    EXPECT_FALSE(
        parsed({QStringLiteral("convert"), QStringLiteral("a.hex"), QStringLiteral("b.bin")}).lenient);
    // A format for files that all have names would be ignored; so is an unknown one.
    EXPECT_TRUE(usageErrorOf({QStringLiteral("convert"), QStringLiteral("a.hex"), QStringLiteral("b.bin"),
                              QStringLiteral("--format"), QStringLiteral("bin")})
                    .contains(QStringLiteral("'-'")));
    EXPECT_TRUE(usageErrorOf({QStringLiteral("convert"), QStringLiteral("-"), QStringLiteral("-"),
                              QStringLiteral("--format"), QStringLiteral("s19")})
                    .contains(QStringLiteral("hex, bin or srec")));
    EXPECT_FALSE(usageErrorOf({QStringLiteral("convert"), QStringLiteral("-"), QStringLiteral("-"),
                               QStringLiteral("--lenient=yes")})
                     .isEmpty());
}

TEST_F(InEnglish, DamagedFilesInEnglish)
{
    using Kind = FileDamage::Kind;
    EXPECT_EQ(StatusTexts::fileStatus(FileStatus{FileStage::Damaged, {}, {Kind::WrongChecksum, 12}}),
              QStringLiteral("The checksum on line 12 of the file is wrong. What could be read is shown."));
    EXPECT_EQ(StatusTexts::fileDamage({Kind::CutOff, 3}),
              QStringLiteral("The record on line 3 of the file is cut off. What could be read is shown."));
    EXPECT_EQ(StatusTexts::fileDamage({Kind::NoData, 40}),
              QStringLiteral("The file has no data record (line count: 40)."));
    EXPECT_EQ(StatusTexts::fileDamage({Kind::NoEnd, 9}),
              QStringLiteral("The file has no end record (line count: 9). What could be read is shown."));
    EXPECT_EQ(StatusTexts::fileDamageAlone({Kind::WrongChecksum, 12}),
              QStringLiteral("The checksum on line 12 of the file is wrong."));
    EXPECT_EQ(StatusTexts::fileDamageAlone({Kind::CutOff, 3}),
              QStringLiteral("The record on line 3 of the file is cut off."));
    EXPECT_EQ(StatusTexts::fileDamageAlone({Kind::NoEnd, 9}),
              QStringLiteral("The file has no end record (line count: 9)."));
}

TEST(CliTextsTest, WithoutATranslationTheTextsAreJapanese)
{
    EXPECT_EQ(StatusTexts::replyMissed(LinkResult::TimedOut, true), texts::kTimeOutText);
}

TEST(CliConsoleTest, WithoutATerminalOneLinePerTenth)
{
    CapturedStream err;
    ProgressMeter meter(err.file(), false, [] { return 0.0; });
    for (int p : {1, 9, 10, 11, 25, 26, 99, 100})
        meter.update(QStringLiteral("R"), p);
    meter.end();
    // A second transfer counts from the start again; a transfer without a name shows nothing.
    meter.update(QStringLiteral("W"), 100);
    meter.end();
    meter.update(QString(), 50);
    EXPECT_EQ(err.text(), QStringLiteral("R 10%\nR 20%\nR 90%\nR 100%\nW 100%\n"));
}

TEST(CliConsoleTest, OnATerminalABarWithTheTimeLeft)
{
    EXPECT_EQ(ProgressMeter::barText(50, 72.2),
              QStringLiteral("[###############...............]  50%  ETA 1:13"));
    EXPECT_EQ(ProgressMeter::barText(0, std::nullopt),
              QStringLiteral("[..............................]   0%"));

    CapturedStream err;
    double now = 5.0;
    ProgressMeter meter(err.file(), true, [&] { return now; });
    meter.update(QStringLiteral("R"), 10);
    now = 7.0; // 10 % took 2 s: 60 % more take 12 s
    meter.update(QStringLiteral("R"), 40);
    meter.end();
    const QString text = err.text();
    EXPECT_TRUE(text.startsWith(QStringLiteral("\rR [###...")));
    EXPECT_FALSE(text.section(u'\r', 1, 1).contains(QStringLiteral("ETA"))) << "no estimate from one point";
    EXPECT_TRUE(text.contains(QStringLiteral(" 40%  ETA 0:04"))) << text.toStdString();
    EXPECT_TRUE(text.endsWith(u'\n'));
}

TEST_F(InEnglish, EventsFeedTheMeterInTheChosenLanguage)
{
    CapturedStream out, err;
    Console console(out.file(), err.file(), false);
    ConsoleReporter reporter(console, [] { return 0.0; });
    reporter.report(CheckCountdown{9});
    reporter.report(FirmwareIdentified{1, QStringLiteral("QT-LNK310 V 6.50"), 6.5f});
    reporter.report(OperationStarted{OperationKind::ReadBlock});
    reporter.report(TransferProgress{50});
    reporter.report(TransferProgress{100});
    reporter.report(FirmwareIdentified{1, QStringLiteral("QT-LNK310 V 6.50"), 6.5f});
    EXPECT_EQ(err.text(), QStringLiteral("COM1 : QT-LNK310 V 6.50\nReading..... 50%\nReading..... 100%\n"));
    EXPECT_TRUE(out.text().isEmpty());
}

// Which suffix names which format is the table's (FileFormatsTest); here what the command line adds.
TEST(CliImageFilesTest, FormatByName)
{
    EXPECT_EQ(std::get<ImageFormat>(formatOf(QStringLiteral("x.Bin"), ImageFormat::IntelHex)),
              ImageFormat::Binary);
    EXPECT_EQ(std::get<ImageFormat>(formatOf(QStringLiteral("-"), std::nullopt)), ImageFormat::IntelHex);
    EXPECT_EQ(std::get<ImageFormat>(formatOf(QStringLiteral("-"), ImageFormat::Binary)), ImageFormat::Binary);
    EXPECT_EQ(std::get<ImageFormat>(formatOf(QStringLiteral("-"), ImageFormat::SRecord)),
              ImageFormat::SRecord);
    for (const char *name : {"x.txt", "hex", "x.bin.gz", "bin/x"})
        EXPECT_TRUE(std::holds_alternative<QString>(formatOf(QString::fromLatin1(name), std::nullopt)))
            << name;
}

TEST(CliPortsTest, APresentAdapterIsDescribedBelowItsLineAndNothingIsSaidOfTheRest)
{
    PortEntry adapter;
    adapter.number = 3;
    adapter.device = QStringLiteral("/dev/ttyUSB0");
    adapter.present = true;
    adapter.stableName = QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0");
    adapter.info = SystemPort{adapter.device,
                              QStringLiteral("FT232R USB UART"),
                              QStringLiteral("FTDI"),
                              QStringLiteral("A50285BI"),
                              0x0403,
                              0x6001};
    EXPECT_EQ(
        cli::portDetails(adapter),
        (QStringList{"       stable name: /dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0",
                     "       description: FT232R USB UART", "       manufacturer: FTDI",
                     "       serial number: A50285BI", "       USB id: 0403:6001"}));

    // A built-in port reports only what it has; a pseudo-terminal nothing at all.
    PortEntry builtIn = adapter;
    builtIn.stableName.clear();
    builtIn.info = SystemPort{QStringLiteral("/dev/ttyS0"), QStringLiteral("ttyS0"), {}, {}, {}, {}};
    EXPECT_EQ(cli::portDetails(builtIn), QStringList{"       description: ttyS0"});
    PortEntry pty;
    pty.present = true;
    EXPECT_TRUE(cli::portDetails(pty).isEmpty());
}

TEST(CliSessionTest, ChipByNameBeforeIndexAndTheSizesItOffers)
{
    test::TempProgramDir dir;
    dir.writeFile(QStringLiteral("c.ini"),
                  "Ver 1\r\nA 1 2 8 8 0 0 m\r\n3 n 2 4 8 0 0 m\r\nB 1 2 9 16 0 0 m\r\n"
                  "D 1 2 8 8 0 0 m\r\nX bad 7 8 8 0 0 m\r\n");
    auto loaded = loadCatalogue(dir.file(QStringLiteral("c.ini")));
    ASSERT_TRUE(std::holds_alternative<Catalogue>(loaded));
    const Catalogue &catalogue = std::get<Catalogue>(loaded);
    const auto nameOf = [&](const QString &chosen) {
        auto chip = chooseChip(catalogue, chosen);
        return std::holds_alternative<ChosenChip>(chip) ? std::get<ChosenChip>(chip).name
                                                        : QStringLiteral("refused");
    };
    EXPECT_EQ(nameOf(QStringLiteral("b")), QStringLiteral("B"));
    EXPECT_EQ(nameOf(QStringLiteral("3")), QStringLiteral("3"))
        << "a chip named like an index is found by name";
    EXPECT_EQ(nameOf(QStringLiteral("0")), QStringLiteral("A"));
    EXPECT_EQ(nameOf(QStringLiteral("5")), QStringLiteral("refused"));
    EXPECT_EQ(nameOf(QStringLiteral("X")), QStringLiteral("refused")) << "bus 7 cannot be driven";
    EXPECT_EQ(nameOf(QString()), QStringLiteral("refused"));

    const ChosenChip b = std::get<ChosenChip>(chooseChip(catalogue, QStringLiteral("B")));
    EXPECT_EQ(std::get<qint64>(chooseAccessSize(b, std::nullopt)), 512);
    EXPECT_EQ(std::get<qint64>(chooseAccessSize(b, 64)), 64);
    EXPECT_TRUE(std::holds_alternative<Failure>(chooseAccessSize(b, 8))) << "below half a page";
    EXPECT_TRUE(std::holds_alternative<Failure>(chooseAccessSize(b, 1024))) << "beyond the chip";

    EXPECT_TRUE(std::holds_alternative<Failure>(loadCatalogue(dir.file(QStringLiteral("none.ini")))));
}

TEST(CliSessionTest, PortOfTheCommandLineNeverReachesTheSavedSettings)
{
    test::IsolatedSettings isolated;
    {
        QtSettingsStore saved;
        saved.save(QStringLiteral("Settings"), QStringLiteral("ComNo"), QStringLiteral("4"));
        saved.save(QStringLiteral("Settings"), QStringLiteral("DTR"), QStringLiteral("1"));
    }
    const PortChoice seven = std::get<PortChoice>(choosePort(QStringLiteral("7")));
    CommandLineSettings cli;
    Settings settings(cli);
    const PortSettings port = portSettings(seven, settings);
    EXPECT_EQ(port.portNumber, 7);
    EXPECT_TRUE(port.dtrEnable) << "the window's line settings still apply";
    settings.setInt(keys::ComNo, 9);
    settings.setText(keys::RTS, QStringLiteral("0"));
    EXPECT_EQ(portSettings(seven, settings).portNumber, 7);
    EXPECT_FALSE(portSettings(seven, settings).rtsEnable);
    EXPECT_EQ(isolated.stored(QStringLiteral("Settings"), QStringLiteral("ComNo")), QStringLiteral("4"));
    EXPECT_FALSE(isolated.has(QStringLiteral("Settings"), QStringLiteral("RTS")));

    // Without --port the window's port is the one.
    CommandLineSettings plain;
    EXPECT_EQ(portSettings(std::get<PortChoice>(choosePort(std::nullopt)), Settings(plain)).portNumber, 5);
    EXPECT_TRUE(std::holds_alternative<Failure>(choosePort(QStringLiteral("0"))));
    EXPECT_TRUE(std::holds_alternative<Failure>(choosePort(QStringLiteral("21"))));
}

} // namespace
} // namespace zelko6::cli
