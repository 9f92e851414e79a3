#pragma once
// The command line as typed: one command, its file arguments and the options. Parsing (driven by
// the options' descriptions, Descriptions.h) checks only the form of each option; which options go
// with the command is checked against its description, and whether a chip, size or address suits
// it when the catalogue is known.

#include "core/files/FileFormats.h"
#include "messages/Translations.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <variant>

namespace zelko6::cli {

// What a script sees. Documented in the usage text; the order says how bad things got.
enum ExitCode : int {
    kExitOk = 0,
    kExitUsage = 1,    // unknown command or option, unsuitable chip, size or address
    kExitLink = 2,     // no board, or the link failed during the transfer
    kExitMismatch = 3, // the verify found differing bytes
    kExitFile = 4,     // a file could not be read, is damaged, does not fit the chip, or could not be written
    kExitInterrupted = 130, // Ctrl-C or a termination request: the port closed, no file written
};

struct CliOptions {
    QString command;
    QStringList files;

    QString chip;                // a name or an index of the catalogue
    std::optional<QString> port; // 1..20 or a device path; none: the window's saved port
    std::optional<qint64> size;
    std::optional<qint64> address;
    std::optional<int> value; // the byte of a single-byte write without a file
    bool byte = false;
    bool noVerify = false;
    bool probe = false;
    bool lenient = false; // load a damaged Intel HEX or S-record file as the window does, and warn
    QString logPath;
    QString catalogue;
    std::optional<ImageFormat> dashFormat; // the format of "-"
    std::optional<Language> language;
    int baud = 0;      // demo: pacing of the simulator it starts
    QString simulator; // demo: the simulator executable
    QString output;    // demo: where the Intel HEX goes
    bool help = false;
    bool version = false;
    QStringList given; // the options typed, by their long names
};

struct UsageError {
    QString message;
};

std::variant<CliOptions, UsageError> parseArguments(const QStringList &arguments);

// Decimal, or hexadecimal after "0x"; nothing for anything else (a leading zero is not octal).
std::optional<qint64> parseNumber(const QString &text);

} // namespace zelko6::cli
