#include "core/buffer/AddressEntry.h"

#include "core/text/CodePage932.h"

namespace zelko6 {

namespace {

// More digits than this cannot be an address of any buffer and would only overflow.
constexpr int kMaxHexDigits = 8;
constexpr int kMaxDecimalDigits = 10;

int hexDigit(QChar c)
{
    if (c >= u'0' && c <= u'9')
        return c.unicode() - u'0';
    const QChar upper = c.toUpper();
    if (upper >= u'A' && upper <= u'F')
        return upper.unicode() - u'A' + 10;
    return -1;
}

std::optional<int64_t> digitsValue(QStringView digits, int base, int maxDigits)
{
    if (digits.isEmpty() || digits.size() > maxDigits)
        return std::nullopt;
    int64_t value = 0;
    for (const QChar c : digits) {
        const int digit = hexDigit(c);
        if (digit < 0 || digit >= base)
            return std::nullopt;
        value = value * base + digit;
    }
    return value;
}

} // namespace

std::optional<int64_t> parseAddress(const QString &text)
{
    QStringView view = QStringView(text).trimmed();
    if (view.startsWith(u'#'))
        return digitsValue(view.mid(1), 10, kMaxDecimalDigits);
    if (view.startsWith(QStringLiteral("0x"), Qt::CaseInsensitive))
        return digitsValue(view.mid(2), 16, kMaxHexDigits);
    if (view.endsWith(u'h', Qt::CaseInsensitive))
        view.chop(1);
    return digitsValue(view, 16, kMaxHexDigits);
}

std::variant<int64_t, AddressRefusal> addressInBuffer(const QString &text, size_t size)
{
    const auto address = parseAddress(text);
    if (!address)
        return AddressRefusal::Malformed;
    if (static_cast<uint64_t>(*address) >= size)
        return AddressRefusal::OutOfRange;
    return *address;
}

std::optional<std::vector<uint8_t>> parseHexBytes(const QString &text)
{
    std::vector<uint8_t> bytes;
    int high = -1; // the first digit of a byte, while its second is awaited
    const QString spaced =
        QString(text).replace(QStringLiteral("0x"), QStringLiteral(" "), Qt::CaseInsensitive);
    for (const QChar c : spaced) {
        if (c.isSpace() || c == u',') {
            if (high >= 0)
                return std::nullopt; // a byte of one digit
            continue;
        }
        const int digit = hexDigit(c);
        if (digit < 0)
            return std::nullopt;
        if (high < 0) {
            high = digit;
        } else {
            bytes.push_back(static_cast<uint8_t>(high << 4 | digit));
            high = -1;
        }
    }
    if (high >= 0 || bytes.empty())
        return std::nullopt;
    return bytes;
}

std::optional<std::vector<uint8_t>> textBytes(const QString &text)
{
    const auto encoded = encodeCp932Exactly(text);
    if (!encoded || encoded->isEmpty())
        return std::nullopt;
    return std::vector<uint8_t>(encoded->begin(), encoded->end());
}

} // namespace zelko6
