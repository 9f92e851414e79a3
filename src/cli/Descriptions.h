#pragma once
// zelko6-cli's commands and options as data. One description each says what it takes (files,
// options, values) and what it needs resolved before it runs (catalogue, chip, size, port); the
// parser, the checks of which words go together, the usage text, completion and dispatch all read
// these tables, so a command or an option is added in one place.

#include "cli/CliOptions.h"

#include <QString>
#include <functional>
#include <optional>
#include <vector>

namespace zelko6::cli {

struct Invocation;

// What an option's value is: how completion offers it.
enum class ValueKind {
    None,   // a flag
    Number, // nothing to offer
    File,
    Chip,   // a name of the catalogue
    Port,   // 1-20 or a device
    Size,   // one of the chip's access sizes
    Choice, // one of `choices`
};

struct OptionDescription {
    using Setter = std::function<std::optional<QString>(CliOptions &, const QString &)>;

    QString name{};        // "--chip"
    QString alias{};       // "-h", or empty
    QString placeholder{}; // the value in the usage text ("NAME|INDEX"); empty for a flag
    ValueKind value = ValueKind::None;
    QStringList choices{};
    // What the usage text says of it (a source text of CommandLine); null: said with its command.
    const char *help = nullptr;
    std::function<QStringList()> helpArguments{}; // what fills the text's %1..., when it has any
    // Options that go with some commands only (listed in those commands' descriptions), or that
    // need another one, say so with this text when they are given elsewhere.
    const char *misfit = nullptr;
    QString needs{}; // another option without which this one means nothing
    Setter set{};    // reads the value into the options; a text names what was wrong with it
};

// The files a command takes with the options given, and what is said when the count is wrong.
struct FileArguments {
    int count = 0;
    QString wrongCount;
};

enum class ChipNeed {
    None,
    Named,              // --chip, from the catalogue
    IfNamed,            // --chip when given (convert: the size is --size otherwise)
    LargestOnSimulator, // the largest chip unless named; on a real board (--port) it must be named
};

enum class SizeNeed {
    None,
    Block, // --size as one of the chip's access sizes (the largest by default), or --byte's --address
    Image, // convert: the chip's size, or --size as an image size
};

struct Needs {
    bool catalogue = false; // implied by a chip that is to be looked up
    ChipNeed chip = ChipNeed::None;
    SizeNeed size = SizeNeed::None;
    bool port = false;
};

struct UsageLine {
    QString synopsis; // "read --byte --address A"
    const char *text; // a source text of CommandLine; its lines are indented in the usage text
};

struct CommandDescription {
    QString name{};
    std::vector<UsageLine> usage{};
    QStringList options{}; // the options that go with some commands only, this one among them
    std::function<FileArguments(const CliOptions &)> files{}; // none when empty
    Needs needs{};
    std::function<int(const Invocation &)> run{};
};

// In the order the usage text lists them.
const std::vector<OptionDescription> &optionDescriptions();
const std::vector<CommandDescription> &commandDescriptions();

// The usage text of --help, from the descriptions; without a line end at its end.
QString usageText();

const OptionDescription *findOption(const QString &nameOrAlias);
const CommandDescription *findCommand(const QString &name);

// Whether `option` may be given with `command` (null: a word that is no command, which takes only
// the options every command takes).
bool goesWith(const OptionDescription &option, const CommandDescription *command);

// The files `command` takes with these options (null: none, as a word that is no command).
FileArguments filesOf(const CommandDescription *command, const CliOptions &options);

} // namespace zelko6::cli
