#include "core/text/CodePage932.h"

#include <windows.h>

namespace zelko6 {

// Through the system's own code page 932: Qt for Windows is built without ICU, so it has no codec
// for it.

namespace {
constexpr UINT kCodePage = 932;

const wchar_t *wide(const QString &text)
{
    return reinterpret_cast<const wchar_t *>(text.utf16());
}

// The text in the code page; `exact` is cleared when a character had no code there and became a
// question mark. No best fit: "é" is not silently made "e".
QByteArray encode(const QString &text, bool &exact)
{
    exact = true;
    if (text.isEmpty())
        return {};
    BOOL usedDefault = FALSE;
    const int size = ::WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, wide(text), int(text.size()),
                                           nullptr, 0, "?", &usedDefault);
    QByteArray bytes(size, Qt::Uninitialized);
    ::WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, wide(text), int(text.size()), bytes.data(), size,
                          "?", &usedDefault);
    exact = !usedDefault;
    return bytes;
}
} // namespace

QByteArray encodeCp932(const QString &text)
{
    bool exact = true;
    return encode(text, exact);
}

std::optional<QByteArray> encodeCp932Exactly(const QString &text)
{
    bool exact = true;
    QByteArray bytes = encode(text, exact);
    if (!exact)
        return std::nullopt;
    return bytes;
}

QString decodeCp932(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return {};
    const int size = ::MultiByteToWideChar(kCodePage, 0, bytes.constData(), int(bytes.size()), nullptr, 0);
    QString text(size, Qt::Uninitialized);
    ::MultiByteToWideChar(kCodePage, 0, bytes.constData(), int(bytes.size()),
                          reinterpret_cast<wchar_t *>(text.data()), size);
    return text;
}

} // namespace zelko6
