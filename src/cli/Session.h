#pragma once
// What one command line run shares with the window: the catalogue and the chip chosen from it,
// the port from the saved settings (or the command line), and one DeviceOperations driven the way
// the window's transfer buttons drive it.

#include "cli/Console.h"
#include "core/base/Settings.h"
#include "core/devices/DeviceFile.h"
#include "core/operations/DeviceOperations.h"
#include "core/programmer/ConnectionCheck.h"
#include "gui/AppState.h"

#include "core/programmer/QtSerialLink.h"
#include <QTimer>

#include <QMap>
#include <QStringList>
#include <optional>
#include <variant>

namespace zelko6::cli {

struct Failure {
    int exitCode = kExitUsage;
    QString text; // a window text (shown in the chosen language) or the command line's own words
};

struct Catalogue {
    QString path;
    DeviceFileContents contents;
    int count() const { return std::min(contents.DeviceCount, kDeviceRows); }
};

// zelko6.ini beside the executable, as the window looks for it.
QString programFolderFile(const QString &name);

std::variant<Catalogue, Failure> loadCatalogue(const QString &path);

struct ChosenChip {
    int index = -1;
    QString name;
    ChipParams params;
    QStringList accessSizes; // as the window's access-size list offers them
};

// By name (any case) first, then by index in the list.
std::variant<ChosenChip, Failure> chooseChip(const Catalogue &catalogue, const QString &nameOrIndex);

// The access-size text for a block transfer: `size` when the chip offers it, else the largest.
std::variant<QString, Failure> chooseAccessSize(const ChosenChip &chip, std::optional<qint64> size);

// The "ComNo" the connection check is to use: none keeps the window's saved port; a number
// 1..20 is that port; anything else is a device path, reached through port 1.
std::variant<std::optional<int>, Failure> choosePort(const QString &option);

// The user's settings, read as the window reads them, with the port of the command line in
// place of the saved one. Nothing is ever written back: a script must not move the window's port.
class CommandLineSettings final : public SettingsStore {
  public:
    explicit CommandLineSettings(std::optional<int> comNo) : comNo_(comNo) {}
    QString get(const QString &section, const QString &key, const QString &defaultValue) const override;
    void save(const QString &section, const QString &key, const QString &value) override;

  private:
    QtSettingsStore saved_;
    QMap<QString, QString> changed_;
    std::optional<int> comNo_;
};

// The exit code a script sees for an operation's outcome.
int exitCodeOf(OperationResult result);

// "131072 bytes in 23.45 s: 5589 bytes/s"
QString rateText(qint64 bytes, double seconds);

// Ctrl-C (or a termination request) during an operation ends it at its next wait, so that the
// port is closed the orderly way; a second one ends the program at once.
void installInterruptHandling();

class Session {
  public:
    Session(const Console &console, std::optional<int> comNo);

    // The chip for the operations to come, its buffer re-created, and the block size they move.
    void useChip(const ChipParams &chip, const QString &accessSize);

    // Each runs one operation between BeginBusy and EndBusy, as the window's buttons do.
    OperationResult readBlock();  // the buffer is re-created first
    OperationResult writeBlock(); // the buffer's bytes, from address 0
    // `logPath` empty: VerifyLog.txt beside the program, as the window writes it.
    OperationResult verifyBlock(const QString &logPath);
    OperationResult readByte(int address);
    OperationResult writeByte(int address);
    CheckResult identify();

    // Seconds the last operation took, connection check included.
    double lastSeconds() const { return lastSeconds_; }
    // Where the last verify's log ended up.
    QString lastLogPath() const { return lastLogPath_; }

    AppState state;
    CommandLineSettings store;
    Settings settings{store};
    QtSerialLink link;
    QtPump pump;
    ConsolePanels panels;
    ConsoleBoxes boxes;
    NullShell shell;
    CliView view;

  private:
    template <typename Run> OperationResult timed(Run run);

    DeviceOperations ops_;
    QTimer interruptWatch_;
    double lastSeconds_ = 0.0;
    QString lastLogPath_;
};

} // namespace zelko6::cli
