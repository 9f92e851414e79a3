#pragma once
// What the program says about its operations, files and chips, in the language of the running
// program: Japanese as its users have always read it (the source texts), or a translation loaded
// through Qt's translation system. The window's status panels and the command line's lines are
// made from these, so both faces say the same thing in the same words.

#include "core/buffer/Differences.h"
#include "core/devices/ChipSelection.h"
#include "core/operations/Events.h"

#include <QCoreApplication>
#include <QString>

namespace zelko6 {

class StatusTexts {
    Q_DECLARE_TR_FUNCTIONS(StatusTexts)

  public:
    // Seconds with one decimal, at least one integer digit ("0.96" → "1.0", "12.34" → "12.3").
    static QString tenths(double seconds);
    // Whole seconds, rounded down ("12.9" → "12").
    static QString wholeSeconds(double seconds);

    // Transfers
    // What panel 1 shows when an operation of this kind starts; empty where it shows nothing.
    static QString started(OperationKind kind);
    // What panel 1 shows when one of an operation's transfers has finished.
    static QString transferDone(const TransferFinished &finished);
    static QString reading();
    static QString writing();
    static QString verifying();
    static QString readDone(double seconds);
    static QString writeDone(double seconds);
    // A verify of a write: the two times summed.
    static QString verifyDone(double seconds);
    // A verify on its own: its own time.
    static QString verifyAloneDone(double seconds);
    static QString verifyError();
    // What a reply wait that failed shows. The window's users have always read "time-out" for
    // every way a wait can fail; `distinct` names a lost port and an interruption as what they are.
    static QString replyMissed(LinkResult failure, bool distinct);
    // Appended to the message after a failed transfer.
    static QString errorSuffix(const TransferFailed &failed);
    static QString readErrorSuffix();
    static QString writeErrorSuffix();
    static QString refusal(Refusal refusal);

    // The connection check
    static QString countdown(int secondsLeft);
    static QString portLine(int portNumber, const QString &firmwareId);
    static QString notConnected(int portNumber);
    static QString checkFailed();
    static QString checkFailedWaiting(CheckResult reason, int pending, bool distinct);
    static QString checkFailedOpening(const OpenFailure &failure);
    static QString oldFirmware();
    static QString portUnusable();
    // The port window's box for a port that could not be opened, with what to do where that is
    // known (another program holds it; what the permission advice says), a sentence to a line.
    static QString portUnusable(const OpenFailure &failure);
    // What the user can do about a refused port, on one line: close the other program, or what
    // the permission advice says. Empty for the other ways an open fails.
    static QString portRefusal(const OpenFailure &failure);
    // The permission advice, a sentence to a line; a command to run is a line of its own, so that
    // no wrapping breaks it where it is read or copied from.
    static QStringList permissionLines(const QString &device, const PermissionAdvice &advice);

    // Files
    static QString fileStatus(const FileStatus &status);
    static QString fileStatus(FileStage stage, const QString &detail);
    // What the window says of a damaged file it loaded all the same: the damage, the line, and
    // that what could be read is shown.
    static QString fileDamage(const FileDamage &damage);
    // Its first sentence alone: the damage and the line, where nothing is loaded.
    static QString fileDamageAlone(const FileDamage &damage);
    // Why a file was not read at all, to follow the "cannot open" text; empty when that is unknown.
    static QString fileRefusal(const FileRefusal &refusal);
    // A marked grid cell's description: the value the other image holds there.
    static QString otherValue(ComparedWith comparedWith, uint8_t value);
    static QString overwriteTitle();
    static QString overwriteQuestion();
    static QString notSaved();
    // The first sentence of DoesNotFit and Unreadable: what is true where nothing is loaded.
    static QString doesNotFitAlone();
    static QString unreadableAlone();

    // The window
    static QString pleaseWait();
    static QString gridRefreshing();
    static QString gridRefreshed();
    static QString address(int address);
    static QString bufferCleared();
    static QString startupHint();
    static QString chipRefusal(const ChipRefusal &refusal);
    static QString percent(int value);

    // The buffer tools
    // An address as the grid's address column shows it: "0x" and at least five digits.
    static QString hexAddress(int64_t address);
    static QString blankChecking();
    static QString blankCheckResult(const BlankChecked &result);
    static QString searchResult(const SearchFinished &result);
    static QString filled(const BufferFilled &fill);
};

} // namespace zelko6
