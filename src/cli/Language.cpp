#include "cli/Language.h"

#include <QCoreApplication>

namespace zelko6::cli {

std::optional<Language> languageArgument(const QStringList &arguments)
{
    const QString option = QStringLiteral("--lang");
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &arg = arguments[i];
        if (arg == QStringLiteral("--"))
            break; // file names from here on
        if (arg == option && i + 1 < arguments.size())
            return languageFromCode(arguments[i + 1]);
        if (arg.startsWith(option + u'='))
            return languageFromCode(arg.mid(option.size() + 1));
    }
    return std::nullopt;
}

Language chooseLanguage(std::optional<Language> chosen,
                        const std::function<QByteArray(const char *)> &environment)
{
    return chosen ? *chosen : localeLanguage(environment);
}

} // namespace zelko6::cli
