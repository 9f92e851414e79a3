#include "cli/Session.h"

#include <csignal>

#include "core/devices/ChipSelection.h"
#include "core/programmer/LinkTexts.h"
#include "core/programmer/PortResolver.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace zelko6::cli {

QString programFolderFile(const QString &name)
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(name);
}

std::variant<Catalogue, Failure> loadCatalogue(const QString &path)
{
    const QString chosen = path.isEmpty() ? programFolderFile(kDeviceFileName) : path;
    // readDeviceFile gives an empty catalogue for a file it cannot read; here that is an error.
    if (!QFileInfo(chosen).isFile() || !QFileInfo(chosen).isReadable())
        return Failure{kExitFile, QStringLiteral("cannot read the catalogue ") + chosen};
    return Catalogue{chosen, readDeviceFile(chosen)};
}

std::variant<ChosenChip, Failure> chooseChip(const Catalogue &catalogue, const QString &nameOrIndex)
{
    if (nameOrIndex.isEmpty())
        return Failure{kExitUsage, QStringLiteral("--chip is needed (see 'zelko6-cli list')")};
    int index = -1;
    for (int k = 0; k < catalogue.count() && index < 0; ++k)
        if (catalogue.contents.table.row(k)[kColName].compare(nameOrIndex, Qt::CaseInsensitive) == 0)
            index = k;
    if (index < 0) {
        const auto number = parseNumber(nameOrIndex);
        if (!number || *number >= catalogue.count())
            return Failure{kExitUsage, QStringLiteral("no chip '") + nameOrIndex + QStringLiteral("' in ") +
                                           catalogue.path + QStringLiteral(" (see 'zelko6-cli list')")};
        index = static_cast<int>(*number);
    }
    const DeviceRecord &record = catalogue.contents.table.row(index);
    const auto evaluated = evaluateChip(record);
    if (const auto *refusal = std::get_if<ChipRefusal>(&evaluated))
        return Failure{kExitUsage, refusal->reason};
    const auto &chip = std::get<ChipParams>(evaluated);
    return ChosenChip{index, record[kColName], chip,
                      accessSizes(chip.DUT_Bus, chip.DUT_SizeExp, chip.DUT_PageSize)};
}

std::variant<QString, Failure> chooseAccessSize(const ChosenChip &chip, std::optional<qint64> size)
{
    if (chip.accessSizes.isEmpty())
        return Failure{kExitUsage, chip.name + QStringLiteral(" offers no access size")};
    if (!size)
        return chip.accessSizes.last();
    const QString text = QString::number(*size);
    if (!chip.accessSizes.contains(text))
        return Failure{
            kExitUsage,
            QStringLiteral("--size %1: %2 offers %3").arg(text, chip.name, chip.accessSizes.join(u' '))};
    return text;
}

std::variant<std::optional<int>, Failure> choosePort(const QString &option)
{
    if (option.isEmpty())
        return std::optional<int>{};
    if (const auto number = parseNumber(option)) {
        if (*number < kFirstPortNumber || *number > kLastPortNumber)
            return Failure{kExitUsage, QStringLiteral("--port: a number from 1 to 20, or a device")};
        return std::optional<int>{static_cast<int>(*number) - 1};
    }
    // The resolver looks at ZELKO6_COMn before anything else, so port 1 becomes the device.
    qputenv(PortResolver::environmentName(kFirstPortNumber).toLatin1().constData(),
            QFile::encodeName(option));
    return std::optional<int>{kFirstPortNumber - 1};
}

QString CommandLineSettings::get(const QString &section, const QString &key,
                                 const QString &defaultValue) const
{
    if (comNo_ && section == QLatin1String(keys::ComNo.section) && key == QLatin1String(keys::ComNo.key))
        return QString::number(*comNo_);
    const auto changed = changed_.find(section + u'/' + key);
    if (changed != changed_.end())
        return *changed;
    return saved_.get(section, key, defaultValue);
}

void CommandLineSettings::save(const QString &section, const QString &key, const QString &value)
{
    changed_[section + u'/' + key] = value;
}

int exitCodeOf(OperationResult result)
{
    switch (result) {
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

QString rateText(qint64 bytes, double seconds)
{
    return QStringLiteral("%1 bytes in %2 s: %3 bytes/s")
        .arg(bytes)
        .arg(seconds, 0, 'f', 2)
        .arg(seconds > 0 ? static_cast<qint64>(static_cast<double>(bytes) / seconds) : 0);
}

namespace {
volatile std::sig_atomic_t g_interrupted = 0;

extern "C" void onInterrupt(int signalNumber)
{
    g_interrupted = 1;
    std::signal(signalNumber, SIG_DFL); // a second request ends the program at once
}
} // namespace

void installInterruptHandling()
{
    std::signal(SIGINT, onInterrupt);
    std::signal(SIGTERM, onInterrupt);
}

Session::Session(const Console &console, std::optional<int> comNo)
    : store(comNo), link(PortResolver(&store)), panels(console, [this] { return pump.clock(); }),
      boxes(console), ops_(OperationPorts{state, link, pump, panels, settings, boxes, shell, view})
{
    state.AppDir = QCoreApplication::applicationDirPath() + QDir::separator();
    // The waits of an operation run the event loop, so a timer sees the request within 50 ms.
    interruptWatch_.setInterval(50);
    QObject::connect(&interruptWatch_, &QTimer::timeout, [this] {
        if (g_interrupted)
            ops_.abortOperation();
    });
    interruptWatch_.start();
}

void Session::useChip(const ChipParams &chip, const QString &accessSize)
{
    view.accessSize = accessSize;
    state.chip = chip;
    state.chipSelected = true;
    state.BufData.recreate(chip.DUT_SizeExp);
}

template <typename Run> OperationResult Session::timed(Run run)
{
    const double start = pump.clock();
    ops_.BeginBusy();
    const OperationResult result = run();
    ops_.EndBusy();
    panels.endProgress();
    lastSeconds_ = pump.clock() - start;
    return result;
}

OperationResult Session::readBlock()
{
    return timed([this] {
        panels.setPanel(1, texts::kReadingText);
        state.BufData.recreate(state.chip.DUT_SizeExp);
        state.AccessMode = AccessScope::Block;
        return ops_.ReadDevice();
    });
}

OperationResult Session::writeBlock()
{
    return timed([this] {
        panels.setPanel(1, texts::kWritingText);
        state.AccessMode = AccessScope::Block;
        return ops_.WriteDevice();
    });
}

OperationResult Session::verifyBlock(const QString &logPath)
{
    state.VerifyLogPath = logPath; // empty: beside the program, as the window writes it
    const OperationResult result = timed([this] { return ops_.VerifyDevice(); });
    lastLogPath_ = logPath.isEmpty() ? state.pathInAppDir(texts::kVerifyLogName) : logPath;
    state.VerifyLogPath.clear();
    // Empty: the log could not be put where it was asked for; the caller says so.
    if (!QFileInfo::exists(lastLogPath_))
        lastLogPath_.clear();
    return result;
}

OperationResult Session::readByte(int address)
{
    view.address = address;
    return timed([this] {
        state.AccessMode = AccessScope::SelectedByte;
        return ops_.ReadDevice();
    });
}

OperationResult Session::writeByte(int address)
{
    view.address = address;
    return timed([this] {
        state.AccessMode = AccessScope::SelectedByte;
        return ops_.WriteDevice();
    });
}

CheckResult Session::identify()
{
    LinkContext ctx{state, link, pump, panels};
    const double start = pump.clock();
    const CheckResult result = Read_Version(ctx, settings, boxes);
    link.close();
    lastSeconds_ = pump.clock() - start;
    return result;
}

} // namespace zelko6::cli
