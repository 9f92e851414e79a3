#pragma once
// The language of the program's texts: Japanese, the source every text is written in, or English,
// our translation of all of them; Qt's own texts (dialog buttons, the file dialogs) follow in the
// same language. A change reaches every open window as QEvent::LanguageChange.

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

namespace zelko6 {

enum class Language { Japanese, English };

// "ja" and "en": the settings' value and the command line's --lang.
QString languageCode(Language language);
std::optional<Language> languageFromCode(const QString &code);

// Puts `language` in effect for the whole process, our translation read from `folder` (beside the
// program). False when our translation file is missing there: the texts then stay Japanese.
bool useLanguage(Language language, const QString &folder);
Language currentLanguage();

// The language of texts printed on a terminal: Japanese exactly when the message locale (LC_ALL,
// then LC_MESSAGES, then LANG, as the C library reads them) is Japanese, English otherwise.
Language localeLanguage(const std::function<QByteArray(const char *)> &environment);

} // namespace zelko6
