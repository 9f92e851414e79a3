#pragma once
// The commands of zelko6-cli. Each returns the process's exit code.

#include "cli/CliOptions.h"
#include "cli/Console.h"
#include "core/programmer/SystemPorts.h"

#include <QStringList>

namespace zelko6::cli {

int runCommandLine(const CliOptions &options, const Console &console);

int runDemo(const CliOptions &options, const Console &console);

// Says what was wrong with the command line and where help is; returns the usage exit code.
int usageError(const Console &console, const QString &message);

// What `ports` prints below a present port: one indented "name: value" line for each thing the
// system says about it (stable name, description, manufacturer, serial number, USB id), so that a
// script reading the port lines (they begin with "COM") passes over them.
QStringList portDetails(const PortEntry &entry);

} // namespace zelko6::cli
