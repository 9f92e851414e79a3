#include "cli/Commands.h"

#include "cli/CommandLineText.h"
#include "cli/Descriptions.h"
#include "cli/ImageFiles.h"
#include "cli/Interruption.h"
#include "core/base/Version.h"
#include "core/programmer/PortResolver.h"

#include <QEventLoop>
#include <memory>
#include <vector>

namespace zelko6::cli {

namespace {

Failure usage(const QString &text)
{
    return Failure{kExitUsage, text};
}

// A file read or written: a failure ends the command with its text; a success's text (a warning,
// or where the file went) is said.
void accept(const FileResult &result, const Console &console)
{
    if (!result.ok())
        throw Failure{result.exitCode, result.text};
    if (!result.text.isEmpty())
        console.note(result.text);
}

// The command line against the command's description: the options that go with it, the files it
// takes. A word that is no command is checked as one that takes neither, so that what is said
// first does not depend on the word.
const CommandDescription &checked(const CliOptions &options)
{
    if (options.command.isEmpty())
        throw usage(CommandLine::tr("コマンドがありません"));
    const CommandDescription *command = findCommand(options.command);
    for (const OptionDescription &option : optionDescriptions()) {
        if (!options.given.contains(option.name))
            continue;
        if (!goesWith(option, command) || (!option.needs.isEmpty() && !options.given.contains(option.needs)))
            throw usage(CommandLine::tr(option.misfit));
    }
    if (const FileArguments files = filesOf(command, options); options.files.size() != files.count)
        throw usage(files.wrongCount);
    if (!command)
        throw usage(CommandLine::tr("不明なコマンドです: %1").arg(options.command));
    return *command;
}

// The image size of a conversion: the chip's, or --size as a buffer size the program knows.
int imageSizeExp(const std::optional<ChosenChip> &chip, std::optional<qint64> size)
{
    if (!size) {
        if (!chip)
            throw usage(CommandLine::tr("convert には --chip か --size が必要です"));
        return chip->params.DUT_SizeExp;
    }
    for (int exp = kMinSizeExp; exp <= kMaxSizeExp; ++exp) {
        if (*size != (qint64{1} << exp))
            continue;
        if (chip && chip->params.DUT_SizeExp != exp)
            throw usage(CommandLine::tr("--size %1 はチップの容量ではありません").arg(*size));
        return exp;
    }
    throw usage(CommandLine::tr("--size %1: %2 から %3 までの2のべき乗です")
                    .arg(*size)
                    .arg(qint64{1} << kMinSizeExp)
                    .arg(qint64{1} << kMaxSizeExp));
}

// What the command's description says it needs, in the order a user would put it right: the
// catalogue and the chip, the size, the port.
Invocation resolved(const CommandDescription &command, const CliOptions &o, const Console &console)
{
    const Needs &needs = command.needs;
    Invocation in{o, console, {}, {}, 0, 0, {}};
    // The demo overwrites the whole chip with random bytes: on a real board the user names it.
    if (needs.chip == ChipNeed::LargestOnSimulator && o.port && o.chip.isEmpty())
        throw usage(
            CommandLine::tr("--port での demo はチップを上書きします: --chip でチップを指定してください"));
    const bool chipWanted =
        needs.chip != ChipNeed::None && (needs.chip != ChipNeed::IfNamed || !o.chip.isEmpty());
    if (needs.catalogue || chipWanted)
        in.catalogue = must(loadCatalogue(o.catalogue));
    if (chipWanted)
        in.chip = needs.chip == ChipNeed::LargestOnSimulator && o.chip.isEmpty()
                      ? must(largestChip(*in.catalogue))
                      : must(chooseChip(*in.catalogue, o.chip));
    switch (needs.size) {
    case SizeNeed::None:
        break;
    case SizeNeed::Block:
        if (!o.byte) {
            in.accessSize = must(chooseAccessSize(*in.chip, o.size));
            break;
        }
        if (const qint64 chipSize = qint64{1} << in.chip->params.DUT_SizeExp;
            !o.address || *o.address >= chipSize)
            throw usage(CommandLine::tr("--byte には %2 の %1 より小さい --address が必要です")
                            .arg(chipSize)
                            .arg(in.chip->name));
        break;
    case SizeNeed::Image:
        in.imageSizeExp = imageSizeExp(in.chip, o.size);
        break;
    }
    if (needs.port)
        in.port = must(choosePort(o.port));
    return in;
}

ImageFormat formatFor(const CliOptions &options, const QString &name)
{
    auto format = formatOf(name, options.dashFormat);
    if (auto *wrong = std::get_if<QString>(&format))
        throw usage(*wrong);
    return std::get<ImageFormat>(format);
}

// The file of write or verify, read whole and judged before anything is sent.
void load(Session &session, const CliOptions &options, const Console &console)
{
    const QString &name = options.files[0];
    accept(loadImage(name, formatFor(options, name), session.chip().DUT_SizeExp, session.buffer,
                     options.lenient),
           console);
}

// A session on the resolved port, for the resolved chip and block.
std::unique_ptr<Session> boardSession(const Invocation &in)
{
    auto session = std::make_unique<Session>(in.console, in.port);
    session->useChip(in.chip->params, in.accessSize);
    return session;
}

} // namespace

void endUnlessOk(int exitCode)
{
    if (exitCode != kExitOk)
        throw Failure{exitCode, {}};
}

CheckOutcome identifyStep(Session &session)
{
    const CheckOutcome outcome = session.identify();
    if (outcome.result != CheckResult::Identified)
        throw Failure{exitCodeOf(outcome), session.message()};
    return outcome;
}

int transferStep(Session &session, const Console &console, const OperationOutcome &outcome, bool moved,
                 const QString &indent)
{
    console.note(session.message());
    if (moved)
        console.note(indent + rateText(session.accessSize(), session.lastSeconds()));
    return exitCodeOf(outcome);
}

int verifyStep(Session &session, const Console &console, const QString &logPath, bool alwaysSayLog,
               const QString &indent)
{
    const OperationOutcome outcome = session.verifyBlock(logPath);
    const int exitCode =
        transferStep(session, console, outcome, outcome.result == OperationResult::Done, indent);
    const bool found =
        outcome.result == OperationResult::Mismatches || outcome.result == OperationResult::LinkFailed;
    if (!found && !alwaysSayLog)
        return exitCode;
    if (session.lastLogPath().isEmpty())
        console.note(indent + CommandLine::tr("ベリファイログを書き込めませんでした: %1")
                                  .arg(logPath.isEmpty() ? defaultVerifyLogPath() : logPath));
    else
        console.note(indent + verifyLogLine(session.lastLogPath()));
    return exitCode;
}

int runList(const Invocation &in)
{
    const Catalogue &catalogue = *in.catalogue;
    in.console.data(QStringLiteral("%1  %2 %3 %4 %5  %6")
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
        in.console.data(QStringLiteral("%1  %2 %3 %4 %5  %6")
                            .arg(k, 5)
                            .arg(record[kColName], -10)
                            .arg(record[kColLabel], -9)
                            .arg(size, 9)
                            .arg(page, 5)
                            .arg(bus));
    }
    return kExitOk;
}

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

int runPorts(const Invocation &in)
{
    const bool probe = in.options.probe;
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
    for (size_t k = 0; k < entries.size() && probe; ++k) {
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
        if (probe)
            line = QStringLiteral("%1  %2").arg(line, -24).arg(probed[k]);
        in.console.data(line);
        for (const QString &detail : portDetails(entry))
            in.console.data(detail);
    }
    return kExitOk;
}

int runIdentify(const Invocation &in)
{
    Session session(in.console, in.port);
    in.console.data(identifyStep(session).reply);
    return kExitOk;
}

int runRead(const Invocation &in)
{
    const CliOptions &o = in.options;
    if (o.byte) {
        const auto session = boardSession(in);
        const OperationOutcome outcome = session->readByte(static_cast<int>(*o.address));
        endUnlessOk(transferStep(*session, in.console, outcome, false));
        in.console.data(QStringLiteral("0x") +
                        QStringLiteral("%1").arg(outcome.byteRead, 2, 16, QLatin1Char('0')).toUpper());
        return kExitOk;
    }
    const ImageFormat format = formatFor(o, o.files[0]);
    // Minutes of reading must not end in a file that cannot be written.
    accept(checkCanSave(o.files[0]), in.console);
    const auto session = boardSession(in);
    const OperationOutcome outcome = session->readBlock();
    endUnlessOk(transferStep(*session, in.console, outcome, outcome.result == OperationResult::Done));
    accept(saveImage(session->buffer, o.files[0], format, in.console), in.console);
    return kExitOk;
}

int runWrite(const Invocation &in)
{
    const CliOptions &o = in.options;
    const auto session = boardSession(in);
    if (o.byte && o.value)
        session->buffer[static_cast<size_t>(*o.address)] = static_cast<uint8_t>(*o.value);
    else
        load(*session, o, in.console);
    if (o.byte)
        return transferStep(*session, in.console, session->writeByte(static_cast<int>(*o.address)), false);
    const OperationOutcome outcome = session->writeBlock();
    // Unlike the window, no verify follows a failed write: it could only fail as well.
    endUnlessOk(transferStep(*session, in.console, outcome, outcome.result == OperationResult::Done));
    if (o.noVerify)
        return kExitOk;
    return verifyStep(*session, in.console, o.logPath, false);
}

int runVerify(const Invocation &in)
{
    const auto session = boardSession(in);
    load(*session, in.options, in.console);
    return verifyStep(*session, in.console, in.options.logPath, false);
}

int runBlank(const Invocation &in)
{
    // Blank or not, the answer is the text and the exit code (3: not blank, as a verify mismatch).
    const auto session = boardSession(in);
    const OperationOutcome outcome = session->blankCheck();
    const bool moved =
        outcome.result == OperationResult::Done || outcome.result == OperationResult::Mismatches;
    return transferStep(*session, in.console, outcome, moved);
}

int runConvert(const Invocation &in)
{
    const CliOptions &o = in.options;
    const ImageFormat from = formatFor(o, o.files[0]);
    const ImageFormat to = formatFor(o, o.files[1]);
    MemoryBuffer buffer;
    accept(loadImage(o.files[0], from, in.imageSizeExp, buffer, o.lenient), in.console);
    accept(saveImage(buffer, o.files[1], to, in.console), in.console);
    return kExitOk;
}

int reportFailure(const Console &console, const Failure &failure)
{
    if (failure.exitCode == kExitUsage) {
        console.note(QStringLiteral("zelko6-cli: ") + failure.text);
        console.note(CommandLine::tr("使い方は 'zelko6-cli --help' で表示されます。"));
    } else if (!failure.text.isEmpty()) {
        console.note(failure.text);
    }
    return failure.exitCode;
}

int usageError(const Console &console, const QString &message)
{
    return reportFailure(console, usage(message));
}

int runCommandLine(const CliOptions &options, const Console &console)
{
    if (options.help) {
        console.data(usageText());
        return kExitOk;
    }
    if (options.version) {
        console.data(QStringLiteral("zelko6-cli ") + versionText());
        return kExitOk;
    }
    try {
        const CommandDescription &command = checked(options);
        return command.run(resolved(command, options, console));
    } catch (const Failure &failure) {
        return reportFailure(console, failure);
    }
}

} // namespace zelko6::cli
