#pragma once
// The verify log beside the program: tab-separated, code page 932, CR LF. A log that cannot be
// created or written only loses its lines; the comparison never depends on it.

#include <QFile>
#include <QString>
#include <cstdint>

namespace zelko6 {

// The log's name in the program folder.
inline const QString kVerifyLogName = QStringLiteral("VerifyLog.txt");

class VerifyLog {
  public:
    // Creates the file anew (truncated) and writes the two header lines.
    explicit VerifyLog(const QString &path);

    void mismatch(int32_t address, uint8_t expected, uint8_t actual);
    void count(int64_t mismatches); // "<n>個のエラーがありました。"
    void linkError();               // the comparison stopped on a link failure
    void end();                     // "--- END ---", then the file is closed

    // "0x" + 7 address digits, TAB, "0x" + expected, TAB, "0x" + actual.
    static QString mismatchLine(int32_t address, uint8_t expected, uint8_t actual);

  private:
    void line(const QString &text);

    QFile file_;
    bool usable_ = false;
};

} // namespace zelko6
