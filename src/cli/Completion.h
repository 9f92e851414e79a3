#pragma once
// What fits at the cursor of a zelko6-cli command line, for the shell's completion: the small bash
// script asks the program (zelko6-cli --complete WORD...) instead of keeping lists of its own, so
// the commands and options come from the same descriptions as the parser and --help, the chips
// from the catalogue the command would read, and the ports from the same resolution.

#include <QString>
#include <QStringList>
#include <functional>

namespace zelko6::cli {

// What completion looks up outside the command line.
struct CompletionSources {
    // The usable chips' names in a catalogue (empty path: the one the program reads by default).
    std::function<QStringList(const QString &catalogue)> chips;
    // The access sizes a chip offers, as --size takes them.
    std::function<QStringList(const QString &catalogue, const QString &chip)> sizes;
    // The devices the port numbers resolve to that are there, with their stable names.
    std::function<QStringList()> devices;
};

struct Completion {
    bool files = false; // a file name: the shell completes it itself
    QStringList words;  // otherwise these, each beginning with the word under the cursor
};

// `words`: the command line after the program's name, up to the word under the cursor, which is
// the last (empty when a new word begins).
Completion complete(const QStringList &words, const CompletionSources &sources);

// The real sources: the catalogue files, the settings and the system's ports.
CompletionSources systemCompletionSources();

// The answer as the bash script reads it: "files", or "words" and one candidate a line.
QStringList completionLines(const Completion &completion);

} // namespace zelko6::cli
