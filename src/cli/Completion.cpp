#include "cli/Completion.h"

#include "cli/Descriptions.h"
#include "cli/Session.h"
#include "core/programmer/PortResolver.h"
#include "core/programmer/SystemPorts.h"

namespace zelko6::cli {

namespace {

// The command line before the cursor, as far as completion needs it: the values are read by the
// options' own setters, and anything wrong is passed over (the command will say so when it runs).
struct Typed {
    CliOptions options;
    QStringList positional;
    const OptionDescription *awaitingValue = nullptr; // the word under the cursor is its value
    bool optionsEnded = false;
};

Typed typedBefore(const QStringList &words)
{
    Typed typed;
    for (const QString &word : words) {
        if (typed.awaitingValue) {
            typed.awaitingValue->set(typed.options, word);
            typed.options.given << typed.awaitingValue->name;
            typed.awaitingValue = nullptr;
            continue;
        }
        if (typed.optionsEnded || word == QStringLiteral("-") || !word.startsWith(u'-')) {
            typed.positional << word;
            continue;
        }
        if (word == QStringLiteral("--")) {
            typed.optionsEnded = true;
            continue;
        }
        const qsizetype eq = word.indexOf(u'=');
        const OptionDescription *option = findOption(eq > 0 ? word.left(eq) : word);
        if (!option)
            continue;
        if (option->value != ValueKind::None && eq < 0) {
            typed.awaitingValue = option;
            continue;
        }
        option->set(typed.options, eq > 0 ? word.mid(eq + 1) : QString());
        typed.options.given << option->name;
    }
    return typed;
}

QStringList startingWith(const QStringList &candidates, const QString &prefix,
                         Qt::CaseSensitivity cs = Qt::CaseSensitive)
{
    QStringList fitting;
    for (const QString &candidate : candidates)
        if (candidate.startsWith(prefix, cs) && !fitting.contains(candidate))
            fitting << candidate;
    return fitting;
}

Completion valueOf(const OptionDescription &option, const Typed &typed, const QString &current,
                   const CompletionSources &sources)
{
    const CliOptions &o = typed.options;
    switch (option.value) {
    case ValueKind::File:
        return {true, {}};
    case ValueKind::Chip:
        // Any case, as --chip takes it.
        return {false, startingWith(sources.chips(o.catalogue), current, Qt::CaseInsensitive)};
    case ValueKind::Port: {
        QStringList ports;
        for (int n = kFirstPortNumber; n <= kLastPortNumber; ++n)
            ports << QString::number(n);
        return {false, startingWith(ports + sources.devices(), current)};
    }
    case ValueKind::Size:
        return {false,
                o.chip.isEmpty() ? QStringList() : startingWith(sources.sizes(o.catalogue, o.chip), current)};
    case ValueKind::Choice:
        return {false, startingWith(option.choices, current)};
    case ValueKind::None:
    case ValueKind::Number:
        break;
    }
    return {};
}

// The options still to give that go with the command (every option before there is one).
QStringList optionsFor(const CommandDescription *command, const Typed &typed)
{
    const auto fits = [command](const OptionDescription &option) {
        const OptionDescription *needed = option.needs.isEmpty() ? nullptr : findOption(option.needs);
        return !command || (goesWith(option, command) && (!needed || goesWith(*needed, command)));
    };
    QStringList names;
    for (const OptionDescription &option : optionDescriptions())
        if (fits(option) && !typed.options.given.contains(option.name))
            names << option.name;
    return names;
}

} // namespace

Completion complete(const QStringList &words, const CompletionSources &sources)
{
    const QString current = words.isEmpty() ? QString() : words.last();
    const Typed typed = typedBefore(words.mid(0, words.size() - 1));
    if (typed.awaitingValue)
        return valueOf(*typed.awaitingValue, typed, current, sources);
    const QString command = typed.positional.value(0);
    const CommandDescription *described = findCommand(command);
    // A lone "-" is standard input or output too, but one typed before a Tab starts an option.
    if (!typed.optionsEnded && current.startsWith(u'-'))
        return {false, startingWith(optionsFor(command.isEmpty() ? nullptr : described, typed), current)};
    if (command.isEmpty()) {
        QStringList names;
        for (const CommandDescription &c : commandDescriptions())
            names << c.name;
        return {false, startingWith(names, current)};
    }
    CliOptions options = typed.options;
    options.command = command;
    if (described && typed.positional.size() - 1 < filesOf(described, options).count)
        return {true, {}};
    // Nothing more to name: what is left to say is options.
    if (described && current.isEmpty())
        return {false, optionsFor(described, typed)};
    return {};
}

CompletionSources systemCompletionSources()
{
    const auto catalogueAt = [](const QString &path) -> std::optional<Catalogue> {
        auto loaded = loadCatalogue(path);
        if (auto *catalogue = std::get_if<Catalogue>(&loaded))
            return *catalogue;
        return std::nullopt;
    };
    CompletionSources sources;
    sources.chips = [catalogueAt](const QString &path) {
        QStringList names;
        if (const auto catalogue = catalogueAt(path))
            for (int k = 0; k < catalogue->count(); ++k)
                if (const auto chip = chooseChip(*catalogue, QString::number(k));
                    std::holds_alternative<ChosenChip>(chip))
                    names << std::get<ChosenChip>(chip).name;
        return names;
    };
    sources.sizes = [catalogueAt](const QString &path, const QString &name) {
        if (const auto catalogue = catalogueAt(path))
            if (const auto chip = chooseChip(*catalogue, name); std::holds_alternative<ChosenChip>(chip))
                return std::get<ChosenChip>(chip).accessSizes;
        return QStringList();
    };
    sources.devices = [] {
        CommandLineSettings store;
        const QtSystemPortList systemPorts;
        QStringList devices;
        for (const PortEntry &entry : PortInventory(&store, systemPorts).entries()) {
            if (!entry.present)
                continue;
            devices << entry.device;
            if (!entry.stableName.isEmpty())
                devices << entry.stableName;
        }
        return devices;
    };
    return sources;
}

QStringList completionLines(const Completion &completion)
{
    if (completion.files)
        return {QStringLiteral("files")};
    return QStringList{QStringLiteral("words")} + completion.words;
}

} // namespace zelko6::cli
