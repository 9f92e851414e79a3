#pragma once
// The language of the command line's texts: Japanese, the program's own, or English through the
// program's translations. Exit codes and machine-readable output never change with it.

#include "cli/CliOptions.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

namespace zelko6::cli {

// --lang when given; otherwise Japanese exactly when the message locale (LC_ALL, then
// LC_MESSAGES, then LANG, as the C library reads them) is Japanese.
Language chooseLanguage(std::optional<Language> chosen,
                        const std::function<QByteArray(const char *)> &environment);

} // namespace zelko6::cli
