#pragma once
// What one command line run shares with the window: the catalogue and the chip chosen from it,
// the port from the saved settings (or the command line), and the same device operations the
// window's buttons run.

#include "cli/CliOptions.h"
#include "cli/Console.h"
#include "core/base/Settings.h"
#include "core/devices/ChipSelection.h"
#include "core/devices/DeviceFile.h"
#include "core/operations/LinkThread.h"

#include <QElapsedTimer>

#include <QMap>
#include <QStringList>
#include <optional>
#include <variant>

namespace zelko6::cli {

// Why a command cannot go on. The resolutions below return it as a value; the commands throw it
// (must) to runCommandLine, the one place that says it and ends with its exit code.
struct Failure {
    int exitCode = kExitUsage;
    QString text; // in the chosen language
};

template <class T> T must(std::variant<T, Failure> result)
{
    if (const auto *failure = std::get_if<Failure>(&result))
        throw *failure;
    return std::get<T>(std::move(result));
}

struct Catalogue {
    QString path;
    DeviceFileContents contents;
    int count() const { return std::min(contents.DeviceCount, kDeviceRows); }
};

// A file beside the executable.
QString programFolderFile(const QString &name);

// As the window has them: the user's own zelko6.ini when there is one, else the program folder's;
// VerifyLog.txt in the program folder, or in the user's data folder when that cannot be written.
QString defaultCataloguePath();
QString defaultVerifyLogPath();

std::variant<Catalogue, Failure> loadCatalogue(const QString &path);

struct ChosenChip {
    int index = -1;
    QString name;
    ChipParams params;
    QStringList accessSizes; // as the window's access-size list offers them
};

// By name (any case) first, then by index in the list.
std::variant<ChosenChip, Failure> chooseChip(const Catalogue &catalogue, const QString &nameOrIndex);
// The largest usable chip of the catalogue.
std::variant<ChosenChip, Failure> largestChip(const Catalogue &catalogue);

// The block size: `size` when the chip offers it, else the largest.
std::variant<qint64, Failure> chooseAccessSize(const ChosenChip &chip, std::optional<qint64> size);

// The port of --port: none keeps the window's saved port; a number 1..20 is that port; anything
// else is a device path, named as port 1 in the texts.
struct PortChoice {
    std::optional<int> number;
    QString device;
};
std::variant<PortChoice, Failure> choosePort(const std::optional<QString> &option);

// The port an operation opens: the choice, with the window's saved lines (and port, without one).
PortSettings portSettings(const PortChoice &choice, const Settings &settings);

// The user's settings, read as the window reads them. Nothing is ever written back: a script must
// not move the window's port.
class CommandLineSettings final : public SettingsStore {
  public:
    QString get(const QString &section, const QString &key, const QString &defaultValue) const override;
    void save(const QString &section, const QString &key, const QString &value) override;

  private:
    QtSettingsStore saved_;
    QMap<QString, QString> changed_;
};

// The exit code a script sees for an operation's outcome.
int exitCodeOf(const OperationOutcome &outcome);
int exitCodeOf(const CheckOutcome &outcome);

// "131072 bytes in 23.45 s: 5589 bytes/s"
QString rateText(qint64 bytes, double seconds);
// "verify log: PATH", the line that tells where a verify's log went.
QString verifyLogLine(const QString &path);

class Session {
  public:
    Session(const Console &console, const PortChoice &port);

    // The chip for the operations to come, its buffer made anew, and the block size they move.
    void useChip(const ChipParams &chip, qint64 accessSize);

    OperationOutcome readBlock();  // the buffer is made anew first
    OperationOutcome writeBlock(); // the buffer's bytes, from address 0
    // `logPath` empty: defaultVerifyLogPath(), as the window writes it.
    OperationOutcome verifyBlock(const QString &logPath);
    // The block read into a scratch image and compared with 0xFF; `buffer` is not touched.
    OperationOutcome blankCheck();
    OperationOutcome readByte(int address);
    OperationOutcome writeByte(int address);
    CheckOutcome identify();
    // The connection check without waiting: `done` hears its outcome from this thread's event loop.
    void startIdentify(std::function<void(const CheckOutcome &)> done);

    // The message the last operation left, in the chosen language.
    QString message() const { return reporter_.message(); }
    // Seconds the last operation took, connection check included.
    double lastSeconds() const { return lastSeconds_; }
    // Where the last verify's log ended up; empty when it could not be written there.
    QString lastLogPath() const { return lastLogPath_; }
    const ChipParams &chip() const { return chip_; }
    qint64 accessSize() const { return accessSize_; }
    ConsoleReporter &reporter() { return reporter_; }

    MemoryBuffer buffer;

  private:
    OperationOutcome run(OperationKind kind, qint64 address = -1, const QString &logPath = {});

    CommandLineSettings store_;
    Settings settings_{store_};
    PortSettings port_;
    QElapsedTimer clock_;
    ConsoleReporter reporter_;
    LinkThread link_; // the same operations on the same kind of thread as the window's
    ChipParams chip_;
    qint64 accessSize_ = 0;
    double lastSeconds_ = 0.0;
    QString lastLogPath_;
};

} // namespace zelko6::cli
