#include "gui/Fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace zelko6 {

static const QString kGothicFixed = QStringLiteral("ＭＳ ゴシック"); // untranslated: a font family
static const QString kUiGothic = QStringLiteral("MS UI Gothic");
static constexpr int kPointSize = 9;

QFont gothicFixedFont()
{
    QFont font(kGothicFixed, kPointSize);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

QFont uiGothicFont()
{
    return QFont(kUiGothic, kPointSize);
}

static QStringList installed(const QStringList &candidates)
{
    const QStringList families = QFontDatabase::families();
    QStringList found;
    for (const QString &c : candidates)
        if (families.contains(c, Qt::CaseInsensitive))
            found << c;
    return found;
}

void installFontSubstitutions()
{
    // Fixed-pitch first for the grid, so the address and byte columns line up.
    // The Windows names come last: a Windows without the two fonts (its Japanese fonts not
    // installed) has these when it has any Japanese font at all.
    const QStringList fixed = installed({QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans Mono CJK JP"),
                                         QStringLiteral("VL Gothic"), QStringLiteral("TakaoGothic"),
                                         QStringLiteral("IPAexGothic"), QStringLiteral("Noto Sans CJK JP"),
                                         QStringLiteral("MS Gothic"), QStringLiteral("BIZ UDGothic")});
    const QStringList proportional = installed(
        {QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP"), QStringLiteral("VL PGothic"),
         QStringLiteral("TakaoPGothic"), QStringLiteral("IPAGothic"), QStringLiteral("Yu Gothic UI"),
         QStringLiteral("Meiryo UI"), QStringLiteral("MS PGothic")});
    if (!fixed.isEmpty())
        QFont::insertSubstitutions(kGothicFixed, fixed);
    if (!proportional.isEmpty())
        QFont::insertSubstitutions(kUiGothic, proportional);
}

} // namespace zelko6
