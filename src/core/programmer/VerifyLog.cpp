#include "core/programmer/VerifyLog.h"

#include "core/programmer/LinkTexts.h"
#include "core/text/CodePage932.h"
#include "core/text/HexText.h"

namespace zelko6 {

namespace {
constexpr int kAddressDigits = 7;
}

VerifyLog::VerifyLog(const QString &path) : file_(path)
{
    usable_ = file_.open(QIODevice::WriteOnly | QIODevice::Truncate);
    line(texts::kLogTitle);
    line(texts::kLogAddressHead + u'\t' + texts::kLogExpectedHead + u'\t' + texts::kLogActualHead);
}

QString VerifyLog::mismatchLine(int32_t address, uint8_t expected, uint8_t actual)
{
    return QStringLiteral("0x") + hexDigits(static_cast<uint32_t>(address), kAddressDigits) + u'\t' +
           byteCellText(expected) + u'\t' + byteCellText(actual);
}

void VerifyLog::mismatch(int32_t address, uint8_t expected, uint8_t actual)
{
    line(mismatchLine(address, expected, actual));
}

void VerifyLog::count(int64_t mismatches)
{
    line(QString::number(mismatches) + texts::kLogCountSuffix);
}

void VerifyLog::linkError()
{
    line(texts::kLogLinkErrorLine);
}

void VerifyLog::end()
{
    line(texts::kLogEndLine);
    if (usable_)
        file_.close();
    usable_ = false;
}

void VerifyLog::line(const QString &text)
{
    if (!usable_)
        return;
    // A failed write (disk full) drops the rest of the log, not the verify.
    if (file_.write(encodeCp932(text) + "\r\n") < 0)
        usable_ = false;
}

} // namespace zelko6
