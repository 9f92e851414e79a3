#include "messages/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace zelko6 {

namespace {

struct Installed {
    QTranslator ours;
    QTranslator qts;
    Language language = Language::Japanese;
};

Installed &installed()
{
    static Installed translators; // alive until the process ends, as installed translators must be
    return translators;
}

} // namespace

QString languageCode(Language language)
{
    return language == Language::English ? QStringLiteral("en") : QStringLiteral("ja");
}

std::optional<Language> languageFromCode(const QString &code)
{
    if (code == QLatin1String("ja"))
        return Language::Japanese;
    if (code == QLatin1String("en"))
        return Language::English;
    return std::nullopt;
}

bool useLanguage(Language language, const QString &folder)
{
    Installed &t = installed();
    QCoreApplication::removeTranslator(&t.ours);
    QCoreApplication::removeTranslator(&t.qts);
    t.language = language;
    bool complete = true;
    // Japanese is the source: our own texts need no translation, Qt's do.
    if (language == Language::English) {
        complete = t.ours.load(QStringLiteral("zelko6_en"), folder);
        if (complete)
            QCoreApplication::installTranslator(&t.ours);
    }
    // Qt's own texts in the same language where Qt's translations are installed; without them Qt's
    // dialogs stay as Qt ships them, which is no failure of ours.
    if (t.qts.load(QStringLiteral("qtbase_") + languageCode(language),
                   QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&t.qts);
    return complete;
}

Language currentLanguage()
{
    return installed().language;
}

Language localeLanguage(const std::function<QByteArray(const char *)> &environment)
{
    for (const char *name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QByteArray value = environment(name);
        if (value.isEmpty())
            continue;
        // "ja_JP.UTF-8": QLocale wants the part before the code set.
        const QString locale = QString::fromLatin1(value).section(u'.', 0, 0).section(u'@', 0, 0);
        return QLocale(locale).language() == QLocale::Japanese ? Language::Japanese : Language::English;
    }
    return Language::English;
}

} // namespace zelko6
