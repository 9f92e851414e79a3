#pragma once
// The language of the command line's texts: Japanese, the program's own, or English through the
// program's translations. Exit codes and machine-readable output never change with it.

#include "cli/CliOptions.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace zelko6::cli {

// --lang when given; otherwise Japanese exactly when the message locale (LC_ALL, then
// LC_MESSAGES, then LANG, as the C library reads them) is Japanese.
// The value of --lang among the arguments, looked for before they are read so that a complaint
// about them is already in the chosen language; nothing when absent or not a language.
std::optional<Language> languageArgument(const QStringList &arguments);

Language chooseLanguage(std::optional<Language> chosen,
                        const std::function<QByteArray(const char *)> &environment);

} // namespace zelko6::cli
