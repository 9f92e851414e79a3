// The command line's descriptions: the tables agree with themselves, the checks they drive say
// what an English user reads, and completion offers what fits at the cursor.

#include "cli/Commands.h"
#include "cli/Completion.h"
#include "cli/Descriptions.h"
#include "cli/InProcess.h"

#include <gtest/gtest.h>

namespace zelko6::cli {
namespace {

// The texts that list the image formats are written out; a format added to the table without them
// fails here.
TEST(CliDescriptionsTest, TheHelpAndTheFormatOptionNameEveryFormat)
{
    const OptionDescription *format = findOption(QStringLiteral("--format"));
    ASSERT_NE(format, nullptr);
    CliOptions options;
    const QString complaint = format->set(options, QStringLiteral("s19")).value_or(QString());
    const QString help = usageText();
    for (const FileFormat &row : fileFormats()) {
        const QString word = QString::fromLatin1(row.word);
        EXPECT_TRUE(complaint.contains(word) && format->placeholder.contains(word) &&
                    format->choices.contains(word))
            << row.word;
        for (const QString &suffix : row.suffixes)
            EXPECT_TRUE(help.contains(u'.' + suffix)) << suffix.toStdString();
    }
}

TEST(CliDescriptionsTest, EveryNameTheTablesUseIsDescribedOnce)
{
    QStringList names;
    for (const OptionDescription &option : optionDescriptions()) {
        SCOPED_TRACE(option.name.toStdString());
        EXPECT_FALSE(names.contains(option.name));
        names << option.name;
        EXPECT_TRUE(option.set);
        EXPECT_EQ(option.value == ValueKind::None, option.placeholder.isEmpty());
        EXPECT_EQ(option.value == ValueKind::Choice, !option.choices.isEmpty());
        if (!option.needs.isEmpty()) {
            EXPECT_NE(findOption(option.needs), nullptr);
            EXPECT_NE(option.misfit, nullptr) << "an option that needs another says so";
        }
    }
    for (const CommandDescription &command : commandDescriptions()) {
        SCOPED_TRACE(command.name.toStdString());
        EXPECT_EQ(findCommand(command.name), &command);
        ASSERT_FALSE(command.usage.empty());
        for (const UsageLine &line : command.usage)
            EXPECT_TRUE(line.synopsis.startsWith(command.name));
        for (const QString &name : command.options) {
            const OptionDescription *option = findOption(name);
            ASSERT_NE(option, nullptr) << name.toStdString();
            EXPECT_NE(option->misfit, nullptr) << "an option some commands take says where it goes";
            EXPECT_TRUE(goesWith(*option, &command));
            EXPECT_FALSE(goesWith(*option, nullptr));
        }
        // A block's size is one the chip offers; an image's is the chip's when one is named.
        if (command.needs.size == SizeNeed::Block) {
            EXPECT_TRUE(command.needs.chip == ChipNeed::Named ||
                        command.needs.chip == ChipNeed::LargestOnSimulator);
        }
        if (command.needs.size == SizeNeed::Image) {
            EXPECT_EQ(command.needs.chip, ChipNeed::IfNamed);
        }
    }
}

using CliUsageTest = InEnglish;

TEST_F(CliUsageTest, TheUsageTextListsEveryCommandAndOptionInColumns)
{
    const QStringList lines = usageText().split(u'\n');
    const auto entry = [&](const QString &synopsis) {
        return std::find_if(lines.begin(), lines.end(), [&](const QString &line) {
            return line.startsWith(QStringLiteral("  ") + synopsis);
        });
    };
    for (const CommandDescription &command : commandDescriptions())
        for (const UsageLine &line : command.usage)
            EXPECT_NE(entry(line.synopsis), lines.end()) << line.synopsis.toStdString();
    for (const OptionDescription &option : optionDescriptions()) {
        if (option.help) {
            EXPECT_NE(entry(option.alias.isEmpty() ? option.name : option.alias), lines.end())
                << option.name.toStdString();
        }
    }
    // A synopsis too long for its column stands on a line of its own; the text starts below it.
    const auto longOne = entry(QStringLiteral("read --byte --address A"));
    ASSERT_NE(longOne, lines.end());
    EXPECT_EQ(*longOne, QStringLiteral("  read --byte --address A"));
    EXPECT_EQ(*(longOne + 1),
              QString(24, u' ') + QStringLiteral("read one byte and print it (0xNN) on standard output"));
    EXPECT_EQ(*entry(QStringLiteral("--format")),
              QStringLiteral("  --format hex|bin|srec the format of '-', and only of '-' (default: hex)"));
    EXPECT_TRUE(lines.contains(QStringLiteral("  -h, --help            this text")));
}

// The checks a command line meets before anything is read or sent: the first complaint.
TEST_F(CliUsageTest, WordsThatDoNotGoTogetherAreNamedFirst)
{
    struct Case {
        QStringList arguments;
        const char *complaint;
    };
    const Case cases[] = {
        {{"list", "--byte"}, "--byte goes with read or write"},
        {{"frob", "--byte"}, "--byte goes with read or write"},
        {{"list", "--byte", "--address", "3"}, "--byte goes with read or write"},
        {{"read", "a.hex", "--address", "3"}, "--address goes with --byte"},
        {{"read", "--byte", "--address", "1", "--value", "3"}, "--value goes with write --byte"},
        {{"write", "a.hex", "--value", "3"}, "--value goes with write --byte"},
        {{"write", "--probe", "--no-verify"}, "--probe goes with ports"},
        {{"verify", "a.hex", "--no-verify", "--lenient"}, "--no-verify goes with write"},
        {{"blank", "--lenient"}, "--lenient goes with write, verify or convert"},
        {{"read", "a.hex", "--output", "b.hex"}, "--baud, --simulator and --output go with demo"},
        {{"frob", "a.hex"}, "frob takes no file"},
        {{"frob"}, "unknown command frob"},
        {{"read"}, "read takes one FILE"},
        {{"read", "--byte", "--address", "1", "a.hex"}, "read --byte takes no file"},
        {{"write", "--byte", "--address", "1", "--value", "2", "a.hex"},
         "write --byte --value takes no file"},
        {{"convert", "a.hex"}, "convert takes IN and OUT"},
        {{"demo", "--port", "3"}, "demo on --port overwrites the chip: name it with --chip"},
        {{"convert", "a.hex", "b.bin"}, "convert needs --chip or --size"},
        {{"convert", "a.hex", "b.bin", "--size", "100"}, "--size 100: a power of two from 16 to 16777216"},
        {{"--no-verify"}, "no command given"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        auto parsed = parseArguments(c.arguments);
        ASSERT_TRUE(std::holds_alternative<CliOptions>(parsed));
        CapturedStream out, err;
        const Console console(out.file(), err.file(), false);
        EXPECT_EQ(runCommandLine(std::get<CliOptions>(parsed), console), kExitUsage);
        EXPECT_EQ(err.text(), QStringLiteral("zelko6-cli: ") + QLatin1String(c.complaint) +
                                  QStringLiteral("\nTry 'zelko6-cli --help'.\n"));
        EXPECT_TRUE(out.text().isEmpty());
    }
}

TEST(CliCompletionTest, WhatFitsAtTheCursor)
{
    CompletionSources sources;
    sources.chips = [](const QString &catalogue) {
        return catalogue.isEmpty() ? QStringList{"24C01", "24C02", "93C46"} : QStringList{"MINE"};
    };
    sources.sizes = [](const QString &, const QString &chip) {
        return chip == QStringLiteral("24C02") ? QStringList{"128", "256"} : QStringList();
    };
    sources.devices = [] { return QStringList{"/dev/ttyUSB0", "/dev/serial/by-id/usb-x"}; };
    const QStringList noMore{"--chip",   "--port",    "--size", "--log",  "--catalogue",
                             "--format", "--lenient", "--lang", "--help", "--version"};
    struct Case {
        QStringList words; // the last is under the cursor
        bool files;
        QStringList offered;
    };
    const Case cases[] = {
        {{""}, false, {"list", "ports", "identify", "read", "write", "verify", "blank", "convert", "demo"}},
        {{"b"}, false, {"blank"}},
        {{"--chip", "24C02", "r"}, false, {"read"}},
        {{"read", "--chip", "24c0"}, false, {"24C01", "24C02"}},
        {{"read", "--catalogue", "mine.ini", "--chip", ""}, false, {"MINE"}},
        {{"read", "--catalogue=mine.ini", "--chip", "M"}, false, {"MINE"}},
        {{"read", "--port", "1"}, false, {"1", "10", "11", "12", "13", "14", "15", "16", "17", "18", "19"}},
        {{"read", "--port", "/dev/s"}, false, {"/dev/serial/by-id/usb-x"}},
        {{"read", "--chip", "24C02", "--size", ""}, false, {"128", "256"}},
        {{"read", "--size", ""}, false, {}},
        {{"read", "--format", ""}, false, {"hex", "bin", "srec"}},
        {{"read", "--lang", "e"}, false, {"en"}},
        {{"read", "--log", ""}, true, {}},
        {{"read", "--address", ""}, false, {}},
        {{"read", ""}, true, {}},
        {{"read", "--byte", ""},
         false,
         {"--chip", "--port", "--size", "--address", "--log", "--catalogue", "--format", "--lang", "--help",
          "--version"}},
        {{"read", "--", "-"}, true, {}},
        {{"convert", "a.hex", ""}, true, {}},
        {{"convert", "a.hex", "b.bin", ""}, false, noMore},
        {{"ports", "--p"}, false, {"--port", "--probe"}},
        {{"ports", "--probe", "--p"}, false, {"--port"}},
        {{"demo", "--b"}, false, {"--baud"}},
        {{"list", "--b"}, false, {}},
        {{"write", "--byte", "--v"}, false, {"--value", "--version"}},
        {{"--b"}, false, {"--byte", "--baud"}},
        {{"frob", ""}, false, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.words.join(u' ').toStdString());
        const Completion completion = complete(c.words, sources);
        EXPECT_EQ(completion.files, c.files);
        EXPECT_EQ(completion.words, c.offered);
    }
    EXPECT_EQ(completionLines({true, {}}), QStringList{"files"});
    EXPECT_EQ(completionLines({false, {"a", "b"}}), (QStringList{"words", "a", "b"}));
}

} // namespace
} // namespace zelko6::cli
