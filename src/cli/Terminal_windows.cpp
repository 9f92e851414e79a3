#include "cli/Terminal.h"

#include <QString>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace zelko6::cli::terminal {

namespace {
// The console behind a stream, or nothing when the stream goes to a file or a pipe.
HANDLE consoleOf(std::FILE *stream)
{
    const auto handle = reinterpret_cast<HANDLE>(::_get_osfhandle(::_fileno(stream)));
    DWORD mode = 0;
    if (handle == INVALID_HANDLE_VALUE || !::GetConsoleMode(handle, &mode))
        return nullptr;
    return handle;
}
} // namespace

void prepareStandardStreams()
{
    // Image files and Intel HEX pass through standard input and output: their bytes, and their
    // line ends, stay as they are (the C library would turn "\n" into "\r\n" in text mode).
    for (std::FILE *stream : {stdin, stdout, stderr})
        ::_setmode(::_fileno(stream), _O_BINARY);
    // The progress bar is redrawn in place with an escape sequence that clears the line's rest.
    if (const HANDLE console = consoleOf(stderr)) {
        DWORD mode = 0;
        if (::GetConsoleMode(console, &mode))
            ::SetConsoleMode(console, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
    }
}

bool isTerminal(std::FILE *stream)
{
    return consoleOf(stream) != nullptr;
}

void writeText(std::FILE *stream, const QByteArray &utf8)
{
    const HANDLE console = consoleOf(stream);
    if (!console) {
        std::fwrite(utf8.constData(), 1, static_cast<size_t>(utf8.size()), stream);
        std::fflush(stream);
        return;
    }
    // The characters themselves, whatever the console's code page: Japanese shows as Japanese.
    std::fflush(stream);
    const QString text = QString::fromUtf8(utf8);
    DWORD written = 0;
    ::WriteConsoleW(console, reinterpret_cast<const wchar_t *>(text.utf16()), static_cast<DWORD>(text.size()),
                    &written, nullptr);
}

} // namespace zelko6::cli::terminal
