#include "cli/Session.h"

#include "cli/CommandLineText.h"
#include "cli/Interruption.h"
#include "core/base/ProgramFolder.h"
#include "core/programmer/ConnectionCheck.h"
#include "core/programmer/PortResolver.h"
#include "core/programmer/SystemSerialLink.h"
#include "core/programmer/VerifyLog.h"
#include "messages/StatusTexts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace zelko6::cli {

QString programFolderFile(const QString &name)
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(name);
}

QString defaultCataloguePath()
{
    return userOrProgramFile(QCoreApplication::applicationDirPath(), kDeviceFileName);
}

QString defaultVerifyLogPath()
{
    return folderForOwnFiles(QCoreApplication::applicationDirPath()) + kVerifyLogName;
}

std::variant<Catalogue, Failure> loadCatalogue(const QString &path)
{
    const QString chosen = path.isEmpty() ? defaultCataloguePath() : path;
    // readDeviceFile gives an empty catalogue for a file it cannot read; here that is an error.
    if (!QFileInfo(chosen).isFile() || !QFileInfo(chosen).isReadable())
        return Failure{kExitFile, CommandLine::tr("デバイス定義ファイルを読めません: %1").arg(chosen)};
    return Catalogue{chosen, readDeviceFile(chosen)};
}

std::variant<ChosenChip, Failure> chooseChip(const Catalogue &catalogue, const QString &nameOrIndex)
{
    if (nameOrIndex.isEmpty())
        return Failure{kExitUsage, CommandLine::tr("--chip が必要です ('zelko6-cli list' を参照)")};
    int index = -1;
    for (int k = 0; k < catalogue.count() && index < 0; ++k)
        if (catalogue.contents.table.row(k)[kColName].compare(nameOrIndex, Qt::CaseInsensitive) == 0)
            index = k;
    if (index < 0) {
        const auto number = parseNumber(nameOrIndex);
        if (!number || *number >= catalogue.count())
            return Failure{kExitUsage,
                           CommandLine::tr("%2 にチップ '%1' はありません ('zelko6-cli list' を参照)")
                               .arg(nameOrIndex, catalogue.path)};
        index = static_cast<int>(*number);
    }
    const DeviceRecord &record = catalogue.contents.table.row(index);
    const auto evaluated = evaluateChip(record);
    if (const auto *refusal = std::get_if<ChipRefusal>(&evaluated))
        return Failure{kExitUsage, StatusTexts::chipRefusal(*refusal)};
    const auto &chip = std::get<ChipParams>(evaluated);
    return ChosenChip{index, record[kColName], chip,
                      accessSizes(chip.DUT_Bus, chip.DUT_SizeExp, chip.DUT_PageSize)};
}

std::variant<ChosenChip, Failure> largestChip(const Catalogue &catalogue)
{
    std::optional<ChosenChip> best;
    for (int k = 0; k < catalogue.count(); ++k) {
        auto chip = chooseChip(catalogue, QString::number(k));
        if (auto *usable = std::get_if<ChosenChip>(&chip);
            usable && (!best || usable->params.DUT_SizeExp > best->params.DUT_SizeExp))
            best = *usable;
    }
    if (!best)
        return Failure{kExitFile, CommandLine::tr("%1 に使えるチップがありません").arg(catalogue.path)};
    return *best;
}

std::variant<qint64, Failure> chooseAccessSize(const ChosenChip &chip, std::optional<qint64> size)
{
    if (chip.accessSizes.isEmpty())
        return Failure{kExitUsage, CommandLine::tr("%1 にはアクセスサイズがありません").arg(chip.name)};
    if (!size)
        return chip.accessSizes.last().toLongLong();
    const QString text = QString::number(*size);
    if (!chip.accessSizes.contains(text))
        return Failure{kExitUsage, CommandLine::tr("--size %1: %2 のアクセスサイズは %3 です")
                                       .arg(text, chip.name, chip.accessSizes.join(u' '))};
    return *size;
}

std::variant<PortChoice, Failure> choosePort(const std::optional<QString> &option)
{
    if (!option)
        return PortChoice{};
    if (option->isEmpty())
        return Failure{kExitUsage,
                       CommandLine::tr("--port: 1 から 20 の番号かデバイスです。空にはできません")};
    if (const auto number = parseNumber(*option)) {
        if (*number < kFirstPortNumber || *number > kLastPortNumber)
            return Failure{kExitUsage, CommandLine::tr("--port: 1 から 20 の番号かデバイスです")};
        return PortChoice{static_cast<int>(*number), {}};
    }
    return PortChoice{kFirstPortNumber, *option};
}

PortSettings portSettings(const PortChoice &choice, const Settings &settings)
{
    PortSettings port = savedPortSettings(settings);
    if (choice.number)
        port.portNumber = *choice.number;
    port.device = choice.device;
    return port;
}

QString CommandLineSettings::get(const QString &section, const QString &key,
                                 const QString &defaultValue) const
{
    const auto changed = changed_.find(section + u'/' + key);
    if (changed != changed_.end())
        return *changed;
    return saved_.get(section, key, defaultValue);
}

void CommandLineSettings::save(const QString &section, const QString &key, const QString &value)
{
    changed_[section + u'/' + key] = value;
}

int exitCodeOf(const OperationOutcome &outcome)
{
    if (outcome.interrupted())
        return kExitInterrupted;
    switch (outcome.result) {
    case OperationResult::Done:
        return kExitOk;
    case OperationResult::Refused:
        return kExitUsage;
    case OperationResult::CheckFailed:
    case OperationResult::LinkFailed:
        return kExitLink;
    case OperationResult::Mismatches:
        return kExitMismatch;
    }
    return kExitLink;
}

int exitCodeOf(const CheckOutcome &outcome)
{
    if (outcome.result == CheckResult::Interrupted)
        return kExitInterrupted;
    return outcome.result == CheckResult::Identified ? kExitOk : kExitLink;
}

QString rateText(qint64 bytes, double seconds)
{
    return CommandLine::tr("%1 バイト、%2 秒: %3 バイト/秒")
        .arg(bytes)
        .arg(seconds, 0, 'f', 2)
        .arg(seconds > 0 ? static_cast<qint64>(static_cast<double>(bytes) / seconds) : 0);
}

QString verifyLogLine(const QString &path)
{
    return CommandLine::tr("ベリファイログ: %1").arg(path);
}

Session::Session(const Console &console, const PortChoice &port)
    : port_(portSettings(port, settings_)),
      reporter_(console, [this] { return static_cast<double>(clock_.nsecsElapsed()) / 1e9; }),
      link_([] { return makeSystemSerialLink(); }, reporter_)
{
    clock_.start();
    // Looked up here, where the settings are read: the link only opens what it is given.
    if (port_.device.isEmpty())
        port_.device = PortResolver(&store_).device(port_.portNumber);
    link_.watchAbortFlag(&interruptFlag());
}

void Session::useChip(const ChipParams &chip, qint64 accessSize)
{
    chip_ = chip;
    accessSize_ = accessSize;
    buffer.recreate(chip.DUT_SizeExp);
}

OperationOutcome Session::run(OperationKind kind, qint64 address, const QString &logPath)
{
    OperationRequest request;
    request.kind = kind;
    request.chip = chip_;
    request.port = port_;
    request.accessSize = accessSize_;
    request.address = address;
    request.verifyLogPath = logPath;
    QElapsedTimer clock;
    clock.start();
    const OrderlyStretch orderly; // Ctrl-C ends the operation at its next wait, port closed
    const OperationOutcome outcome = link_.run(request, buffer);
    reporter_.endProgress();
    lastSeconds_ = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    return outcome;
}

OperationOutcome Session::readBlock()
{
    return run(OperationKind::ReadBlock);
}

OperationOutcome Session::writeBlock()
{
    return run(OperationKind::WriteBlock);
}

OperationOutcome Session::verifyBlock(const QString &logPath)
{
    const QString path = logPath.isEmpty() ? defaultVerifyLogPath() : logPath;
    const OperationOutcome outcome = run(OperationKind::VerifyBlock, -1, path);
    lastLogPath_ = QFileInfo::exists(path) ? path : QString();
    return outcome;
}

OperationOutcome Session::blankCheck()
{
    return run(OperationKind::BlankCheck);
}

OperationOutcome Session::readByte(int address)
{
    return run(OperationKind::ReadByte, address);
}

OperationOutcome Session::writeByte(int address)
{
    return run(OperationKind::WriteByte, address);
}

CheckOutcome Session::identify()
{
    QElapsedTimer clock;
    clock.start();
    const OrderlyStretch orderly;
    const CheckOutcome outcome = link_.identify(port_);
    lastSeconds_ = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    return outcome;
}

void Session::startIdentify(std::function<void(const CheckOutcome &)> done)
{
    link_.startIdentify(port_, std::move(done));
}

} // namespace zelko6::cli
