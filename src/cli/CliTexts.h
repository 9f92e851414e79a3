#pragma once
// The window's texts on the command line: as they are for a Japanese user, their English meaning
// for everybody else. The Japanese texts come from the program's own headers; only the English
// side is written here.

#include "cli/CliOptions.h"

#include <QString>
#include <functional>

namespace zelko6::cli {

// --lang when given; otherwise Japanese exactly when the message locale (LC_ALL, then
// LC_MESSAGES, then LANG, as the C library reads them) is Japanese.
Language chooseLanguage(std::optional<Language> chosen,
                        const std::function<QByteArray(const char *)> &environment);

// The English meaning of a text the window shows, piece by piece, so that the composed texts
// (a failure reason after the check error, seconds after a result) come out whole. Pieces it does
// not know stay as they are.
QString englishOf(const QString &windowText);

// The window's text in the chosen language.
QString inLanguage(Language language, const QString &windowText);

// Up to and including the first "。": the part of a two-sentence message that is true here.
QString firstSentence(const QString &text);

} // namespace zelko6::cli
