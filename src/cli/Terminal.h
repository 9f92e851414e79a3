#pragma once
// The standard streams as the command line uses them. One file per platform: Terminal_linux.cpp,
// Terminal_windows.cpp.

#include <QByteArray>
#include <cstdio>

namespace zelko6::cli::terminal {

// First thing in main: bytes pass through standard input and output unchanged (no line ends
// translated), and a console shows the texts, Japanese included.
void prepareStandardStreams();

// Whether the stream is an interactive terminal (a console), where a bar can be redrawn in place.
bool isTerminal(std::FILE *stream);

// Writes UTF-8 text to the stream and flushes it: as bytes, or on a console as its characters.
void writeText(std::FILE *stream, const QByteArray &utf8);

} // namespace zelko6::cli::terminal
