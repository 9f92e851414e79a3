#pragma once
// The commands of zelko6-cli. runCommandLine checks the command line against the command's
// description (Descriptions.h), resolves what the description says it needs, and runs its body.
// Every failure on the way, found by the checks or by a body, is a Failure thrown to
// runCommandLine, which says it and turns it into the exit code in one place.

#include "cli/CliOptions.h"
#include "cli/Console.h"
#include "cli/Session.h"
#include "core/programmer/SystemPorts.h"

#include <QStringList>
#include <optional>

namespace zelko6::cli {

// A command as its body sees it: the command line and what its description needs, resolved.
struct Invocation {
    const CliOptions &options;
    const Console &console;
    std::optional<Catalogue> catalogue;
    std::optional<ChosenChip> chip;
    qint64 accessSize = 0; // the block a transfer moves
    int imageSizeExp = 0;  // convert: the image holds 2^imageSizeExp bytes
    PortChoice port;
};

int runCommandLine(const CliOptions &options, const Console &console);

// The one way a failure ends a run: its text (a usage error with where help is) and its exit code.
int reportFailure(const Console &console, const Failure &failure);
int usageError(const Console &console, const QString &message);

// The bodies the descriptions run.
int runList(const Invocation &in);
int runPorts(const Invocation &in);
int runIdentify(const Invocation &in);
int runRead(const Invocation &in);
int runWrite(const Invocation &in);
int runVerify(const Invocation &in);
int runBlank(const Invocation &in);
int runConvert(const Invocation &in);
int runDemo(const Invocation &in);

// The steps the commands and the demo share, each said as the window's panel 1 says it; `indent`
// goes before the lines that follow the message (the demo's stand under its step titles).
// An exit code other than success ends the command (its text already said).
void endUnlessOk(int exitCode);
// The connection check; when it fails, its message ends the command.
CheckOutcome identifyStep(Session &session);
// An operation's message, then its speed when `moved` (the whole block crossed the line); returns
// the exit code its outcome means.
int transferStep(Session &session, const Console &console, const OperationOutcome &outcome, bool moved,
                 const QString &indent = {});
// A verify of the session's buffer, as transferStep, then where its log went when it found
// something (or `alwaysSayLog`).
int verifyStep(Session &session, const Console &console, const QString &logPath, bool alwaysSayLog,
               const QString &indent = {});

// What `ports` prints below a present port: one indented "name: value" line for each thing the
// system says about it (stable name, description, manufacturer, serial number, USB id), so that a
// script reading the port lines (they begin with "COM") passes over them.
QStringList portDetails(const PortEntry &entry);

} // namespace zelko6::cli
