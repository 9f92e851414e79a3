#include "cli/Terminal.h"

#include <unistd.h>

namespace zelko6::cli::terminal {

// The streams carry bytes as they are, and a terminal takes UTF-8.
void prepareStandardStreams() {}

bool isTerminal(std::FILE *stream)
{
    return ::isatty(::fileno(stream)) != 0;
}

void writeText(std::FILE *stream, const QByteArray &utf8)
{
    std::fwrite(utf8.constData(), 1, static_cast<size_t>(utf8.size()), stream);
    std::fflush(stream);
}

} // namespace zelko6::cli::terminal
