#include "cli/CliOptions.h"

#include "cli/CommandLineText.h"
#include "cli/Descriptions.h"

namespace zelko6::cli {

std::optional<qint64> parseNumber(const QString &text)
{
    bool ok = false;
    qint64 value = 0;
    if (text.startsWith(QStringLiteral("0x"), Qt::CaseInsensitive))
        value = text.mid(2).toLongLong(&ok, 16);
    else if (!text.isEmpty() && text[0].isDigit())
        value = text.toLongLong(&ok, 10);
    if (!ok || value < 0)
        return std::nullopt;
    return value;
}

std::variant<CliOptions, UsageError> parseArguments(const QStringList &arguments)
{
    CliOptions options;
    QStringList positional;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &arg = arguments[i];
        // "-" names standard input or output; after "--" every word is a file name.
        if (optionsEnded || arg == QStringLiteral("-") || !arg.startsWith(u'-')) {
            positional << arg;
            continue;
        }
        if (arg == QStringLiteral("--")) {
            optionsEnded = true;
            continue;
        }
        QString name = arg;
        std::optional<QString> inlineValue;
        if (const qsizetype eq = arg.indexOf(u'='); eq > 0) {
            name = arg.left(eq);
            inlineValue = arg.mid(eq + 1);
        }
        const OptionDescription *option = findOption(name);
        if (!option)
            return UsageError{CommandLine::tr("不明なオプションです: %1").arg(name)};
        QString value;
        if (option->value == ValueKind::None) {
            if (inlineValue)
                return UsageError{CommandLine::tr("%1 は値を取りません").arg(name)};
        } else {
            if (!inlineValue && i + 1 >= arguments.size())
                return UsageError{CommandLine::tr("%1: 値がありません").arg(name)};
            value = inlineValue ? *inlineValue : arguments[++i];
        }
        if (const auto wrong = option->set(options, value))
            return UsageError{*wrong};
        options.given << option->name;
    }
    if (!positional.isEmpty()) {
        options.command = positional.takeFirst();
        options.files = positional;
    }
    // Every named file takes the format its name says; a --format without "-" would be ignored
    // while the user believes it obeyed.
    if (options.dashFormat && !options.files.contains(QStringLiteral("-")))
        return UsageError{CommandLine::tr("--format は '-' の形式を決めるものですが、'-' がありません")};
    return options;
}

} // namespace zelko6::cli
