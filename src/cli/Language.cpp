#include "cli/Language.h"

#include <QCoreApplication>
#include <QLocale>

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
    if (chosen)
        return *chosen;
    for (const char *name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QByteArray value = environment(name);
        if (value.isEmpty())
            continue;
        // "ja_JP.UTF-8": QLocale wants the part before the code set.
        const QString locale = QString::fromLatin1(value).section(u'.', 0, 0).section(u'@', 0, 0);
        return QLocale(locale).language() == QLocale::Japanese ? Language::Japanese : Language::English;
    }
    return Language::English;
}

} // namespace zelko6::cli
