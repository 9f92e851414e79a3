#include "cli/CliOptions.h"

#include <functional>
#include <map>

namespace zelko6::cli {

std::optional<qint64> parseNumber(const QString &text)
{
    bool ok = false;
    qint64 value = 0;
    if (text.startsWith(QStringLiteral("0x"), Qt::CaseInsensitive))
        value = text.mid(2).toLongLong(&ok, 16);
    else if (!text.isEmpty() && text[0].isDigit())
        value = text.toLongLong(&ok, 10);
    if (!ok || value < 0)
        return std::nullopt;
    return value;
}

namespace {

// Options that take no value, and what each sets.
const std::map<QString, std::function<void(CliOptions &)>> &flags()
{
    static const std::map<QString, std::function<void(CliOptions &)>> table = {
        {QStringLiteral("--byte"), [](CliOptions &o) { o.byte = true; }},
        {QStringLiteral("--no-verify"), [](CliOptions &o) { o.noVerify = true; }},
        {QStringLiteral("--probe"), [](CliOptions &o) { o.probe = true; }},
        {QStringLiteral("--lenient"), [](CliOptions &o) { o.lenient = true; }},
        {QStringLiteral("--help"), [](CliOptions &o) { o.help = true; }},
        {QStringLiteral("-h"), [](CliOptions &o) { o.help = true; }},
        {QStringLiteral("--version"), [](CliOptions &o) { o.version = true; }},
    };
    return table;
}

using Setter = std::function<std::optional<QString>(CliOptions &, const QString &)>;

std::optional<QString> numberInto(std::optional<qint64> &target, const QString &name, const QString &text)
{
    target = parseNumber(text);
    if (!target)
        return name + QStringLiteral(": not a number: ") + text;
    return std::nullopt;
}

// Options that take a value, and how each reads it; a text names what was wrong.
const std::map<QString, Setter> &valued()
{
    static const std::map<QString, Setter> table = {
        {QStringLiteral("--chip"),
         [](CliOptions &o, const QString &v) -> std::optional<QString> {
             o.chip = v;
             return std::nullopt;
         }},
        {QStringLiteral("--port"),
         [](CliOptions &o, const QString &v) -> std::optional<QString> {
             o.port = v;
             return std::nullopt;
         }},
        {QStringLiteral("--size"),
         [](CliOptions &o, const QString &v) { return numberInto(o.size, QStringLiteral("--size"), v); }},
        {QStringLiteral("--address"),
         [](CliOptions &o, const QString &v) {
             return numberInto(o.address, QStringLiteral("--address"), v);
         }},
        {QStringLiteral("--value"),
         [](CliOptions &o, const QString &v) -> std::optional<QString> {
             const auto n = parseNumber(v);
             if (!n || *n > 0xFF)
                 return QStringLiteral("--value: not a byte (0..255 or 0x00..0xFF): ") + v;
             o.value = static_cast<int>(*n);
             return std::nullopt;
         }},
        {QStringLiteral("--log"),
         [](CliOptions &o, const QString &v) -> std::optional<QString> {
             o.logPath = v;
             return std::nullopt;
         }},
        {QStringLiteral("--catalogue"),
         [](CliOptions &o, const QString &v) -> std::optional<QString> {
             o.catalogue = v;
             return std::nullopt;
         }},
        {QStringLiteral("--format"),
         [](CliOptions &o, const QString &v) -> std::optional<QString> {
             if (v == QStringLiteral("hex"))
                 o.dashFormat = ImageFormat::IntelHex;
             else if (v == QStringLiteral("bin"))
                 o.dashFormat = ImageFormat::Binary;
             else if (v == QStringLiteral("srec"))
                 o.dashFormat = ImageFormat::SRecord;
             else
                 return QStringLiteral("--format: hex, bin or srec, not ") + v;
             return std::nullopt;
         }},
        {QStringLiteral("--lang"),
         [](CliOptions &o, const QString &v) -> std::optional<QString> {
             if (v == QStringLiteral("ja"))
                 o.language = Language::Japanese;
             else if (v == QStringLiteral("en"))
                 o.language = Language::English;
             else
                 return QStringLiteral("--lang: ja or en, not ") + v;
             return std::nullopt;
         }},
        {QStringLiteral("--baud"),
         [](CliOptions &o, const QString &v) -> std::optional<QString> {
             const auto n = parseNumber(v);
             if (!n || *n < 1 || *n > 10'000'000)
                 return QStringLiteral("--baud: not a bit rate: ") + v;
             o.baud = static_cast<int>(*n);
             return std::nullopt;
         }},
        {QStringLiteral("--simulator"),
         [](CliOptions &o, const QString &v) -> std::optional<QString> {
             o.simulator = v;
             return std::nullopt;
         }},
        {QStringLiteral("--output"),
         [](CliOptions &o, const QString &v) -> std::optional<QString> {
             o.output = v;
             return std::nullopt;
         }},
    };
    return table;
}

} // namespace

std::variant<CliOptions, UsageError> parseArguments(const QStringList &arguments)
{
    CliOptions options;
    QStringList positional;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &arg = arguments[i];
        // "-" names standard input or output; after "--" every word is a file name.
        if (optionsEnded || arg == QStringLiteral("-") || !arg.startsWith(u'-')) {
            positional << arg;
            continue;
        }
        if (arg == QStringLiteral("--")) {
            optionsEnded = true;
            continue;
        }
        QString name = arg;
        std::optional<QString> inlineValue;
        if (const qsizetype eq = arg.indexOf(u'='); eq > 0) {
            name = arg.left(eq);
            inlineValue = arg.mid(eq + 1);
        }
        if (const auto flag = flags().find(name); flag != flags().end()) {
            if (inlineValue)
                return UsageError{name + QStringLiteral(" takes no value")};
            flag->second(options);
            continue;
        }
        const auto setter = valued().find(name);
        if (setter == valued().end())
            return UsageError{QStringLiteral("unknown option ") + name};
        if (!inlineValue && i + 1 >= arguments.size())
            return UsageError{name + QStringLiteral(": value missing")};
        const QString value = inlineValue ? *inlineValue : arguments[++i];
        if (const auto wrong = setter->second(options, value))
            return UsageError{*wrong};
    }
    if (!positional.isEmpty()) {
        options.command = positional.takeFirst();
        options.files = positional;
    }
    // Every named file takes the format its name says; a --format without "-" would be ignored
    // while the user believes it obeyed.
    if (options.dashFormat && !options.files.contains(QStringLiteral("-")))
        return UsageError{QStringLiteral("--format gives the format of '-', and no '-' is given")};
    return options;
}

QString usageText()
{
    return QStringLiteral(
        "usage: zelko6-cli COMMAND [FILE...] [options]\n"
        "\n"
        "Commands:\n"
        "  list                  the chips of the catalogue: index, name, label, size, page size, bus\n"
        "  ports [--probe]       ports 1-20 and the device each resolves to, \"(absent)\" when it is\n"
        "                        not there; below a present one, indented \"name: value\" lines: its\n"
        "                        stable name, description, manufacturer, serial number, USB id;\n"
        "                        --probe also runs the connection check on each present device (up\n"
        "                        to 10 s per silent port)\n"
        "  identify              the connection check on --port; prints the firmware line\n"
        "  read FILE             read the chip (--size bytes from address 0) into FILE\n"
        "  read --byte --address A\n"
        "                        read one byte and print it (0xNN) on standard output\n"
        "  write FILE            write FILE into the chip, then verify unless --no-verify\n"
        "  write --byte --address A (FILE | --value V)\n"
        "                        write one byte: FILE's byte at A, or V\n"
        "  verify FILE           compare the chip with FILE\n"
        "  convert IN OUT        convert between Intel HEX, S-record and raw binary, for the size of\n"
        "                        --chip (or --size); no board needed\n"
        "  demo                  identify, write a random image, read it back, verify, save it as\n"
        "                        Intel HEX; against the board simulator, started here unless --port\n"
        "                        is given (a real chip is overwritten: --chip is then needed)\n"
        "\n"
        "Options:\n"
        "  --chip NAME|INDEX     the chip, by name or by its index in 'list' (needed by read, write,\n"
        "                        verify; convert takes it or --size)\n"
        "  --port N|DEVICE       port number 1-20 or a device path (default: the window's port)\n"
        "  --size BYTES          block size: one of the chip's access sizes (default: the largest);\n"
        "                        convert without --chip: the image size, a power of two 16..16777216\n"
        "  --address A           the address of a single-byte read or write (decimal or 0x...)\n"
        "  --byte                single-byte read or write at --address\n"
        "  --value V             the byte of 'write --byte' when no FILE is given\n"
        "  --no-verify           write without the verify that follows\n"
        "  --log FILE            the verify log (default: VerifyLog.txt beside the program)\n"
        "  --catalogue FILE      the chip catalogue (default: zelko6.ini beside the program)\n"
        "  --format hex|bin|srec the format of '-', and only of '-' (default: hex)\n"
        "  --lenient             write, verify, convert: load a damaged Intel HEX or S-record file\n"
        "                        as the window does (what can be read) and warn, instead of exit 4\n"
        "  --lang ja|en          language of the result texts (default: Japanese when the locale\n"
        "                        is Japanese, English otherwise)\n"
        "  --baud N              demo: pace the simulator at N bit/s (default: unpaced)\n"
        "  --simulator PATH      demo: the simulator (default: tools/zelko6-boardsim beside the program)\n"
        "  --output FILE         demo: where the Intel HEX goes (default: a temporary folder)\n"
        "  -h, --help            this text\n"
        "  --version             the program's version\n"
        "\n"
        "Files: the name decides the format. .hex and .ihx are Intel HEX; .s19, .s28, .s37, .srec\n"
        "and .mot are S-record (written with S1 records up to 64 KiB, S2 above); .bin is raw binary,\n"
        "one byte per address from 0 (a shorter file is padded with 0xFF and said so; a longer one is\n"
        "refused before anything is sent); '-' is standard input or output.\n"
        "A damaged Intel HEX or S-record file (a wrong checksum, a record cut off, no data record,\n"
        "no end record) is refused with the kind and the line, unless --lenient is given.\n"
        "Progress goes to standard error: a bar on a terminal, otherwise one line per 10 %.\n"
        "\n"
        "Exit codes:\n"
        "  0  success\n"
        "  1  usage error: unknown command or option, or a chip, size or address that does not suit\n"
        "  2  no board or link failure: connection check, time-out, wrong acknowledgement, port lost\n"
        "  3  verify mismatch (the log lists the addresses)\n"
        "  4  file error: unreadable, damaged, does not fit the chip, or cannot be written\n"
        "  130  interrupted by Ctrl-C or a termination request: the port is closed, no file written\n");
}

} // namespace zelko6::cli
