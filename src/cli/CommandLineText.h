#pragma once
// The command line's own texts (usage, wrong arguments, notes): written in Japanese like every
// text of the program and translated through the same translation file, so `--lang` and the
// locale choose them as they choose the operations' results.

#include <QCoreApplication>

namespace zelko6::cli {

struct CommandLine {
    Q_DECLARE_TR_FUNCTIONS(CommandLine)
};

} // namespace zelko6::cli
