#include "core/text/HexText.h"

namespace zelko6 {

static int digitValue(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return 0;
}

static char16_t upper(char16_t c)
{
    return (c >= u'a' && c <= u'z') ? char16_t(c - u'a' + u'A') : c;
}

int HexDigitValue(QStringView text)
{
    return text.size() == 1 ? digitValue(text.front().unicode()) : 0;
}

int HexWordValue(QStringView text)
{
    // "000" + text keeps at least four characters; only the last four count.
    int value = 0;
    for (qsizetype i = text.size() - 4; i < text.size(); ++i) {
        const char16_t c = i < 0 ? u'0' : upper(text[i].unicode());
        value = value * 16 + digitValue(c);
    }
    return value;
}

int HexWordValue(const char *text, int length)
{
    int value = 0;
    for (int i = length - 4; i < length; ++i) {
        const char16_t c = i < 0 ? u'0' : upper(static_cast<unsigned char>(text[i]));
        value = value * 16 + digitValue(c);
    }
    return value;
}

QString byteCellText(uint8_t value)
{
    const QChar text[4] = {u'0', u'x', QLatin1Char(kHexUpper[value >> 4]),
                           QLatin1Char(kHexUpper[value & 15])};
    return QString(text, 4);
}

QString hexDigits(uint32_t value, int digits)
{
    QString text(digits, u'0');
    for (int i = digits - 1; i >= 0; --i, value >>= 4)
        text[i] = QLatin1Char(kHexUpper[value & 15]);
    return text;
}

} // namespace zelko6
