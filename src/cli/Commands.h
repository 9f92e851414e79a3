#pragma once
// The commands of zelko6-cli. Each returns the process's exit code.

#include "cli/CliOptions.h"
#include "cli/Console.h"

namespace zelko6::cli {

int runCommandLine(const CliOptions &options, const Console &console);

int runDemo(const CliOptions &options, const Console &console);

// Says what was wrong with the command line and where help is; returns the usage exit code.
int usageError(const Console &console, const QString &message);

} // namespace zelko6::cli
