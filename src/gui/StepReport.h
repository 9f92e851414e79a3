#pragma once
#include <QCoreApplication>
#include <QString>
#include <cstdint>

namespace zelko6 {

// The common form of a run-time failure report: the failure's description and the step number;
// a procedure may append labelled values of its own.
inline QString stepReportText(const QString &description, int32_t stepNo, const QString &extra = {})
{
    return QCoreApplication::translate("zelko6::StepReport", "エラー番号 = %1   処理番号 = %2")
               .arg(description, QString::number(stepNo)) +
           extra;
}

} // namespace zelko6
