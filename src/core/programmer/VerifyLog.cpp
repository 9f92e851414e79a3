#include "core/programmer/VerifyLog.h"

#include "core/text/CodePage932.h"
#include "core/text/HexText.h"

namespace zelko6 {

namespace {
constexpr int kAddressDigits = 7;
// The log's fixed lines, as every earlier log has them: other tools read these files.
// clang-format off
const QString kTitle = QStringLiteral("ベリファイ結果");
const QString kAddressHead = QStringLiteral("アドレス");
const QString kExpectedHead = QStringLiteral("正");
const QString kActualHead = QStringLiteral("誤");
const QString kCountSuffix = QStringLiteral("個のエラーがありました。"); // after the mismatch count
const QString kLinkErrorLine = QStringLiteral("通信エラーが発生しました。"); // stopped on a link failure
const QString kEndLine = QStringLiteral("--- END ---");
// clang-format on
} // namespace

VerifyLog::VerifyLog(const QString &path) : file_(path)
{
    usable_ = file_.open(QIODevice::WriteOnly | QIODevice::Truncate);
    line(kTitle);
    line(kAddressHead + u'\t' + kExpectedHead + u'\t' + kActualHead);
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
    line(QString::number(mismatches) + kCountSuffix);
}

void VerifyLog::linkError()
{
    line(kLinkErrorLine);
}

void VerifyLog::end()
{
    line(kEndLine);
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
