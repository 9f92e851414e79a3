// The command line's own pieces in-process: reading the options, choosing the language, turning
// the window's texts into English, the progress lines, and choosing chip, size and port.

#include "cli/CliOptions.h"
#include "cli/CliTexts.h"
#include "cli/Console.h"
#include "cli/ImageFiles.h"
#include "cli/Session.h"
#include "core/operations/FileTexts.h"

#include "core/programmer/LinkTexts.h"
#include "core/programmer/Transfer.h"
#include "support/TestSupport.h"

#include <QRegularExpression>
#include <cstdio>
#include <gtest/gtest.h>
#include <map>

namespace zelko6::cli {
namespace {

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

TEST(CliOptionsTest, ValuesFilesAndTheirForms)
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
}

TEST(CliTextsTest, ComposedWindowTextsBecomeWholeEnglish)
{
    using namespace texts;
    EXPECT_EQ(englishOf(kCheckErrorCountOpen + QStringLiteral("7") + kCheckErrorCountClose),
              QStringLiteral("Programmer connection check failed. [characters received: 7]"));
    EXPECT_EQ(
        englishOf(kCheckErrorText + kPortBusyReason + QStringLiteral("/dev/ttyUSB0")),
        QStringLiteral("Programmer connection check failed. Port in use or access denied: /dev/ttyUSB0"));
    EXPECT_EQ(englishOf(kTimeOutText + kReadErrorSuffix), QStringLiteral("Time-out - read error"));
    EXPECT_EQ(englishOf(kVerifyDoneText + tenthsText(12.34) + kSecondsSuffix),
              QStringLiteral("Write and verify finished without error. (12.3sec)"));
    EXPECT_EQ(englishOf(QStringLiteral("COM3") + kNotConnectedSuffix),
              QStringLiteral("COM3 : programmer not connected"));
    EXPECT_EQ(englishOf(firstSentence(filetexts::kDoesNotFit) + QStringLiteral(" (a.hex: line 3)")),
              QStringLiteral("The file's data exceed the chip's capacity. (a.hex: line 3)"));
    // Whatever the core refuses with, an English user reads English.
    for (Refusal r : {Refusal::Bus, Refusal::AdrMode, Refusal::ExtParam, Refusal::PageSize,
                      Refusal::AccessSize, Refusal::Address})
        EXPECT_FALSE(hasJapanese(englishOf(refusalText(r)))) << refusalText(r).toStdString();
    for (const QString &text :
         {kReadingText, kReadDoneText, kWritingText, kWriteDoneText, kWriteErrorSuffix, kVerifyingText,
          kVerifyErrorText, kOldFirmwareText, kPortMissingReason, kPortFailedReason, filetexts::kCannotOpen,
          filetexts::kBinaryTooLong, filetexts::kBinaryShorter, filetexts::kNotSaved, filetexts::kSaved,
          firstSentence(filetexts::kUnreadable)})
        EXPECT_FALSE(hasJapanese(englishOf(text))) << text.toStdString();
    EXPECT_EQ(inLanguage(Language::Japanese, kTimeOutText), kTimeOutText);
}

// Captures what a meter writes.
class CapturedStream {
  public:
    CapturedStream() : file_(std::tmpfile()) {}
    ~CapturedStream() { std::fclose(file_); }
    std::FILE *file() const { return file_; }
    QString text() const
    {
        std::fflush(file_);
        std::rewind(file_);
        QByteArray bytes;
        char buf[4096];
        for (size_t n; (n = std::fread(buf, 1, sizeof buf, file_)) > 0;)
            bytes.append(buf, static_cast<qsizetype>(n));
        return QString::fromUtf8(bytes);
    }

  private:
    std::FILE *file_;
};

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

TEST(CliConsoleTest, PanelsFeedTheMeterInTheChosenLanguage)
{
    CapturedStream out, err;
    Console console(out.file(), err.file(), false, Language::English);
    ConsolePanels panels(console, [] { return 0.0; });
    panels.setPanel(2, texts::kWaitingPrefix + QStringLiteral("9"));
    panels.setPanel(2, QStringLiteral("COM1 : QT-LNK310 V 6.50"));
    panels.setPanel(1, texts::kReadingText);
    panels.setPanel(3, QStringLiteral("50%"));
    panels.setPanel(3, QStringLiteral("100%"));
    panels.setPanel(2, QStringLiteral("COM1 : QT-LNK310 V 6.50"));
    EXPECT_EQ(err.text(), QStringLiteral("COM1 : QT-LNK310 V 6.50\nReading..... 50%\nReading..... 100%\n"));
    EXPECT_TRUE(out.text().isEmpty());
}

TEST(CliImageFilesTest, FormatByName)
{
    EXPECT_EQ(std::get<ImageFormat>(formatOf(QStringLiteral("a/B.HEX"), std::nullopt)),
              ImageFormat::IntelHex);
    EXPECT_EQ(std::get<ImageFormat>(formatOf(QStringLiteral("x.ihx"), std::nullopt)), ImageFormat::IntelHex);
    EXPECT_EQ(std::get<ImageFormat>(formatOf(QStringLiteral("x.Bin"), ImageFormat::IntelHex)),
              ImageFormat::Binary);
    EXPECT_EQ(std::get<ImageFormat>(formatOf(QStringLiteral("-"), std::nullopt)), ImageFormat::IntelHex);
    EXPECT_EQ(std::get<ImageFormat>(formatOf(QStringLiteral("-"), ImageFormat::Binary)), ImageFormat::Binary);
    for (const char *name : {"x.txt", "hex", "x.bin.gz", "bin/x"})
        EXPECT_TRUE(std::holds_alternative<QString>(formatOf(QString::fromLatin1(name), std::nullopt)))
            << name;
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
    EXPECT_EQ(std::get<QString>(chooseAccessSize(b, std::nullopt)), QStringLiteral("512"));
    EXPECT_EQ(std::get<QString>(chooseAccessSize(b, 64)), QStringLiteral("64"));
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
    CommandLineSettings cli(std::get<std::optional<int>>(choosePort(QStringLiteral("7"))));
    Settings settings(cli);
    const PortSettings port = savedPortSettings(settings);
    EXPECT_EQ(port.portNumber, 7);
    EXPECT_TRUE(port.dtrEnable) << "the window's line settings still apply";
    settings.setInt(keys::ComNo, 9);
    settings.setText(keys::RTS, QStringLiteral("0"));
    EXPECT_EQ(savedPortSettings(settings).portNumber, 7);
    EXPECT_FALSE(savedPortSettings(settings).rtsEnable);
    EXPECT_EQ(isolated.stored(QStringLiteral("Settings"), QStringLiteral("ComNo")), QStringLiteral("4"));
    EXPECT_FALSE(isolated.has(QStringLiteral("Settings"), QStringLiteral("RTS")));

    // Without --port the window's port is the one.
    CommandLineSettings plain(std::nullopt);
    EXPECT_EQ(savedPortSettings(Settings(plain)).portNumber, 5);
    EXPECT_TRUE(std::holds_alternative<Failure>(choosePort(QStringLiteral("0"))));
    EXPECT_TRUE(std::holds_alternative<Failure>(choosePort(QStringLiteral("21"))));
}

} // namespace
} // namespace zelko6::cli
