#include "cli/Commands.h"

#include "cli/CommandLineText.h"
#include "cli/ImageFiles.h"
#include "cli/Interruption.h"
#include "cli/Session.h"
#include "core/base/Version.h"
#include "core/devices/ChipSelection.h"
#include "core/programmer/PortResolver.h"
#include "core/programmer/SystemPorts.h"
#include "messages/StatusTexts.h"

#include <QEventLoop>
#include <QFileInfo>
#include <functional>
#include <memory>
#include <vector>

namespace zelko6::cli {

namespace {

int failed(const Console &console, const Failure &failure)
{
    if (failure.exitCode == kExitUsage)
        return usageError(console, failure.text);
    if (!failure.text.isEmpty())
        console.note(failure.text);
    return failure.exitCode;
}

void showRate(const Console &console, qint64 bytes, double seconds)
{
    console.note(rateText(bytes, seconds));
}

// The chip, the block size and the port of a command that talks to the board.
struct Target {
    ChosenChip chip;
    qint64 accessSize = 0;
    PortChoice port;
};

std::variant<Target, Failure> resolveTarget(const CliOptions &options)
{
    auto catalogue = loadCatalogue(options.catalogue);
    if (auto *failure = std::get_if<Failure>(&catalogue))
        return *failure;
    auto chip = chooseChip(std::get<Catalogue>(catalogue), options.chip);
    if (auto *failure = std::get_if<Failure>(&chip))
        return *failure;
    Target target{std::get<ChosenChip>(chip), {}, {}};
    if (!options.byte) {
        auto size = chooseAccessSize(target.chip, options.size);
        if (auto *failure = std::get_if<Failure>(&size))
            return *failure;
        target.accessSize = std::get<qint64>(size);
    } else {
        const qint64 chipSize = qint64{1} << target.chip.params.DUT_SizeExp;
        if (!options.address || *options.address >= chipSize)
            return Failure{kExitUsage, CommandLine::tr("--byte には %2 の %1 より小さい --address が必要です")
                                           .arg(chipSize)
                                           .arg(target.chip.name)};
    }
    auto port = choosePort(options.port);
    if (auto *failure = std::get_if<Failure>(&port))
        return *failure;
    target.port = std::get<PortChoice>(port);
    return target;
}

// The command line's own checks of which words go with which command.
std::optional<QString> misfit(const CliOptions &o)
{
    const QString &c = o.command;
    const bool transfer = c == QStringLiteral("read") || c == QStringLiteral("write");
    if (o.byte && !transfer)
        return CommandLine::tr("--byte は read か write と使います");
    if (o.address && !o.byte)
        return CommandLine::tr("--address は --byte と使います");
    if (o.value && !(c == QStringLiteral("write") && o.byte))
        return CommandLine::tr("--value は write --byte と使います");
    if (o.probe && c != QStringLiteral("ports"))
        return CommandLine::tr("--probe は ports と使います");
    if (o.noVerify && c != QStringLiteral("write"))
        return CommandLine::tr("--no-verify は write と使います");
    if (o.lenient && c != QStringLiteral("write") && c != QStringLiteral("verify") &&
        c != QStringLiteral("convert"))
        return CommandLine::tr("--lenient は write、verify、convert のどれかと使います");
    if ((o.baud || !o.simulator.isEmpty() || !o.output.isEmpty()) && c != QStringLiteral("demo"))
        return CommandLine::tr("--baud、--simulator、--output は demo と使います");
    return std::nullopt;
}

int cmdList(const CliOptions &options, const Console &console)
{
    auto loaded = loadCatalogue(options.catalogue);
    if (auto *failure = std::get_if<Failure>(&loaded))
        return failed(console, *failure);
    const Catalogue &catalogue = std::get<Catalogue>(loaded);
    console.data(QStringLiteral("%1  %2 %3 %4 %5  %6")
                     .arg(QStringLiteral("index"), 5)
                     .arg(QStringLiteral("name"), -10)
                     .arg(QStringLiteral("label"), -9)
                     .arg(QStringLiteral("size"), 9)
                     .arg(QStringLiteral("page"), 5)
                     .arg(QStringLiteral("bus")));
    for (int k = 0; k < catalogue.count(); ++k) {
        const DeviceRecord &record = catalogue.contents.table.row(k);
        const auto evaluated = evaluateChip(record);
        QString size = QStringLiteral("-"), page = QStringLiteral("-"), bus = QStringLiteral("unusable");
        if (const auto *chip = std::get_if<ChipParams>(&evaluated)) {
            size = QString::number(qint64{1} << chip->DUT_SizeExp);
            page = QString::number(chip->DUT_PageSize);
            bus = chip->DUT_Bus == 2 ? QStringLiteral("2-wire") : QStringLiteral("3-wire");
        }
        console.data(QStringLiteral("%1  %2 %3 %4 %5  %6")
                         .arg(k, 5)
                         .arg(record[kColName], -10)
                         .arg(record[kColLabel], -9)
                         .arg(size, 9)
                         .arg(page, 5)
                         .arg(bus));
    }
    return kExitOk;
}

} // namespace

QStringList portDetails(const PortEntry &entry)
{
    QStringList lines;
    const auto add = [&lines](const char *name, const QString &value) {
        if (!value.isEmpty())
            lines << QStringLiteral("       %1: %2").arg(QLatin1String(name), value);
    };
    add("stable name", entry.stableName);
    if (entry.info) {
        add("description", entry.info->description);
        add("manufacturer", entry.info->manufacturer);
        add("serial number", entry.info->serialNumber);
        add("USB id", usbIds(*entry.info));
    }
    return lines;
}

namespace {

int cmdPorts(const CliOptions &options, const Console &console)
{
    CommandLineSettings store;
    const QtSystemPortList systemPorts;
    const std::vector<PortEntry> entries = PortInventory(&store, systemPorts).entries();
    std::vector<QString> probed(entries.size());
    // Every present port's connection check at once, each on its link's own thread, so that
    // silent ports are waited out side by side rather than ten seconds after one another. Quiet:
    // the outcomes are printed below.
    const Console quiet(stdout, stderr, false);
    std::vector<std::unique_ptr<Session>> checks;
    QEventLoop allDone;
    int running = 0;
    // Ctrl-C ends every check at its next wait; then nothing is printed.
    const OrderlyStretch orderly;
    for (size_t k = 0; k < entries.size() && options.probe; ++k) {
        QString &row = probed[k];
        if (!entries[k].present) {
            row = QStringLiteral("-");
            continue;
        }
        Session &session =
            *checks.emplace_back(std::make_unique<Session>(quiet, PortChoice{entries[k].number, {}}));
        session.reporter().setEchoPort(false);
        ++running;
        session.startIdentify([&row, &session, &running, &allDone](const CheckOutcome &outcome) {
            row = outcome.result == CheckResult::Identified ? outcome.reply
                                                            : QStringLiteral("-  ") + session.message();
            if (--running == 0)
                allDone.quit();
        });
    }
    if (running > 0)
        allDone.exec();
    if (interrupted())
        return kExitInterrupted;
    for (size_t k = 0; k < entries.size(); ++k) {
        const PortEntry &entry = entries[k];
        QString device = entry.device;
        if (!entry.present)
            device += QStringLiteral(" (absent)");
        QString line = QStringLiteral("%1  %2").arg(PortResolver::portName(entry.number), -5).arg(device);
        if (options.probe)
            line = QStringLiteral("%1  %2").arg(line, -24).arg(probed[k]);
        console.data(line);
        for (const QString &detail : portDetails(entry))
            console.data(detail);
    }
    return kExitOk;
}

int cmdIdentify(const CliOptions &options, const Console &console)
{
    auto port = choosePort(options.port);
    if (auto *failure = std::get_if<Failure>(&port))
        return failed(console, *failure);
    Session session(console, std::get<PortChoice>(port));
    const CheckOutcome outcome = session.identify();
    if (outcome.result != CheckResult::Identified) {
        console.note(session.message());
        return exitCodeOf(outcome);
    }
    console.data(outcome.reply);
    return kExitOk;
}

std::variant<ImageFormat, Failure> formatFor(const CliOptions &options, const QString &name)
{
    auto format = formatOf(name, options.dashFormat);
    if (auto *wrong = std::get_if<QString>(&format))
        return Failure{kExitUsage, *wrong};
    return std::get<ImageFormat>(format);
}

// Loads the file of write or verify into the session's buffer; nothing has been sent yet.
std::optional<Failure> loadInto(Session &session, const QString &name, const CliOptions &options,
                                const Console &console)
{
    auto format = formatFor(options, name);
    if (auto *failure = std::get_if<Failure>(&format))
        return *failure;
    const FileResult loaded = loadImage(name, std::get<ImageFormat>(format), session.chip().DUT_SizeExp,
                                        session.buffer, options.lenient);
    if (!loaded.ok())
        return Failure{loaded.exitCode, loaded.text};
    if (!loaded.text.isEmpty())
        console.note(loaded.text);
    return std::nullopt;
}

// The operation's final text, as the window's panel 1 shows it; the outcome passes through.
OperationOutcome shown(Session &session, const Console &console, const OperationOutcome &outcome)
{
    console.note(session.message());
    return outcome;
}

int cmdRead(const CliOptions &options, const Console &console)
{
    if (options.files.size() != (options.byte ? 0 : 1))
        return usageError(console, options.byte ? CommandLine::tr("read --byte はファイルを取りません")
                                                : CommandLine::tr("read はファイルを1つ取ります"));
    auto target = resolveTarget(options);
    if (auto *failure = std::get_if<Failure>(&target))
        return failed(console, *failure);
    const Target &t = std::get<Target>(target);
    std::optional<ImageFormat> format;
    if (!options.byte) {
        auto chosen = formatFor(options, options.files[0]);
        if (auto *failure = std::get_if<Failure>(&chosen))
            return failed(console, *failure);
        format = std::get<ImageFormat>(chosen);
        // Minutes of reading must not end in a file that cannot be written.
        if (const FileResult can = checkCanSave(options.files[0]); !can.ok())
            return failed(console, {can.exitCode, can.text});
    }

    Session session(console, t.port);
    session.useChip(t.chip.params, t.accessSize);
    if (options.byte) {
        const OperationOutcome outcome =
            shown(session, console, session.readByte(static_cast<int>(*options.address)));
        if (outcome.result == OperationResult::Done)
            console.data(QStringLiteral("0x") +
                         QStringLiteral("%1").arg(outcome.byteRead, 2, 16, QLatin1Char('0')).toUpper());
        return exitCodeOf(outcome);
    }
    const OperationOutcome outcome = shown(session, console, session.readBlock());
    if (outcome.result != OperationResult::Done)
        return exitCodeOf(outcome);
    showRate(console, t.accessSize, session.lastSeconds());
    const FileResult saved = saveImage(session.buffer, options.files[0], *format, console);
    if (!saved.text.isEmpty())
        console.note(saved.text);
    return saved.exitCode;
}

// The options' chip and port resolved and a session opened on them, for `body`; a target that does
// not resolve ends the command with its failure before anything is sent.
int withSession(const CliOptions &options, const Console &console,
                const std::function<int(Session &, const Target &)> &body)
{
    auto target = resolveTarget(options);
    if (auto *failure = std::get_if<Failure>(&target))
        return failed(console, *failure);
    const Target &t = std::get<Target>(target);
    Session session(console, t.port);
    session.useChip(t.chip.params, t.accessSize);
    return body(session, t);
}

int cmdBlank(const CliOptions &options, const Console &console)
{
    // A file given to blank is refused with the other commands that take none.
    return withSession(options, console, [&](Session &session, const Target &t) -> int {
        // Blank or not, the answer is the text and the exit code (3: not blank, as a verify mismatch).
        const OperationOutcome outcome = shown(session, console, session.blankCheck());
        if (outcome.result == OperationResult::Done || outcome.result == OperationResult::Mismatches)
            showRate(console, t.accessSize, session.lastSeconds());
        return exitCodeOf(outcome);
    });
}

int verifyAndReport(Session &session, const CliOptions &options, const Console &console, qint64 bytes)
{
    const OperationOutcome outcome = shown(session, console, session.verifyBlock(options.logPath));
    if (outcome.result == OperationResult::Done)
        showRate(console, bytes, session.lastSeconds());
    if (outcome.result == OperationResult::Mismatches || outcome.result == OperationResult::LinkFailed) {
        if (session.lastLogPath().isEmpty())
            console.note(CommandLine::tr("ベリファイログを書き込めませんでした: %1")
                             .arg(options.logPath.isEmpty() ? defaultVerifyLogPath() : options.logPath));
        else
            console.note(verifyLogLine(session.lastLogPath()));
    }
    return exitCodeOf(outcome);
}

int cmdWrite(const CliOptions &options, const Console &console)
{
    const bool fromValue = options.byte && options.value;
    if (options.files.size() != (fromValue ? 0 : 1))
        return usageError(console, fromValue ? CommandLine::tr("write --byte --value はファイルを取りません")
                                             : CommandLine::tr("write はファイルを1つ取ります"));
    return withSession(options, console, [&](Session &session, const Target &t) -> int {
        // The whole file is read and judged before the port is even opened.
        if (fromValue)
            session.buffer[static_cast<size_t>(*options.address)] = static_cast<uint8_t>(*options.value);
        else if (const auto failure = loadInto(session, options.files[0], options, console))
            return failed(console, *failure);

        if (options.byte) {
            return exitCodeOf(shown(session, console, session.writeByte(static_cast<int>(*options.address))));
        }
        const OperationOutcome outcome = shown(session, console, session.writeBlock());
        // Unlike the window, no verify follows a failed write: it could only fail as well.
        if (outcome.result != OperationResult::Done)
            return exitCodeOf(outcome);
        showRate(console, t.accessSize, session.lastSeconds());
        if (options.noVerify)
            return kExitOk;
        return verifyAndReport(session, options, console, t.accessSize);
    });
}

int cmdVerify(const CliOptions &options, const Console &console)
{
    if (options.files.size() != 1)
        return usageError(console, CommandLine::tr("verify はファイルを1つ取ります"));
    return withSession(options, console, [&](Session &session, const Target &t) -> int {
        if (const auto failure = loadInto(session, options.files[0], options, console))
            return failed(console, *failure);
        return verifyAndReport(session, options, console, t.accessSize);
    });
}

// The image size of a conversion: the chip's, or --size as a buffer size the program knows.
std::variant<int, Failure> conversionSizeExp(const CliOptions &options)
{
    std::optional<int> fromChip;
    if (!options.chip.isEmpty()) {
        auto catalogue = loadCatalogue(options.catalogue);
        if (auto *failure = std::get_if<Failure>(&catalogue))
            return *failure;
        auto chip = chooseChip(std::get<Catalogue>(catalogue), options.chip);
        if (auto *failure = std::get_if<Failure>(&chip))
            return *failure;
        fromChip = std::get<ChosenChip>(chip).params.DUT_SizeExp;
    }
    if (!options.size) {
        if (!fromChip)
            return Failure{kExitUsage, CommandLine::tr("convert には --chip か --size が必要です")};
        return *fromChip;
    }
    for (int exp = kMinSizeExp; exp <= kMaxSizeExp; ++exp) {
        if (*options.size != (qint64{1} << exp))
            continue;
        if (fromChip && *fromChip != exp)
            return Failure{kExitUsage,
                           CommandLine::tr("--size %1 はチップの容量ではありません").arg(*options.size)};
        return exp;
    }
    return Failure{kExitUsage, CommandLine::tr("--size %1: %2 から %3 までの2のべき乗です")
                                   .arg(*options.size)
                                   .arg(qint64{1} << kMinSizeExp)
                                   .arg(qint64{1} << kMaxSizeExp)};
}

int cmdConvert(const CliOptions &options, const Console &console)
{
    if (options.files.size() != 2)
        return usageError(console, CommandLine::tr("convert は入力と出力のファイルを取ります"));
    auto sizeExp = conversionSizeExp(options);
    if (auto *failure = std::get_if<Failure>(&sizeExp))
        return failed(console, *failure);
    auto inFormat = formatFor(options, options.files[0]);
    if (auto *failure = std::get_if<Failure>(&inFormat))
        return failed(console, *failure);
    auto outFormat = formatFor(options, options.files[1]);
    if (auto *failure = std::get_if<Failure>(&outFormat))
        return failed(console, *failure);
    MemoryBuffer buffer;
    const FileResult loaded = loadImage(options.files[0], std::get<ImageFormat>(inFormat),
                                        std::get<int>(sizeExp), buffer, options.lenient);
    if (!loaded.text.isEmpty())
        console.note(loaded.text);
    if (!loaded.ok())
        return loaded.exitCode;
    const FileResult saved = saveImage(buffer, options.files[1], std::get<ImageFormat>(outFormat), console);
    if (!saved.text.isEmpty())
        console.note(saved.text);
    return saved.exitCode;
}

} // namespace

int usageError(const Console &console, const QString &message)
{
    console.note(QStringLiteral("zelko6-cli: ") + message);
    console.note(CommandLine::tr("使い方は 'zelko6-cli --help' で表示されます。"));
    return kExitUsage;
}

int runCommandLine(const CliOptions &options, const Console &console)
{
    if (options.help) {
        console.data(usageText().chopped(1)); // data() ends the line itself
        return kExitOk;
    }
    if (options.version) {
        console.data(QStringLiteral("zelko6-cli ") + versionText());
        return kExitOk;
    }
    if (options.command.isEmpty())
        return usageError(console, CommandLine::tr("コマンドがありません"));
    if (const auto wrong = misfit(options))
        return usageError(console, *wrong);

    const QString &c = options.command;
    if (c != QStringLiteral("read") && c != QStringLiteral("write") && c != QStringLiteral("verify") &&
        c != QStringLiteral("convert") && !options.files.isEmpty())
        return usageError(console, CommandLine::tr("%1 はファイルを取りません").arg(c));
    using Command = int (*)(const CliOptions &, const Console &);
    static const std::pair<const char *, Command> kCommands[] = {
        {"list", cmdList},       {"ports", cmdPorts}, {"identify", cmdIdentify},
        {"read", cmdRead},       {"write", cmdWrite}, {"verify", cmdVerify},
        {"convert", cmdConvert}, {"demo", runDemo},   {"blank", cmdBlank},
    };
    for (const auto &[name, command] : kCommands)
        if (c == QLatin1String(name))
            return command(options, console);
    return usageError(console, CommandLine::tr("不明なコマンドです: %1").arg(c));
}

} // namespace zelko6::cli
