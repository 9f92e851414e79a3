#include "gui/DuringOperations.h"

#include <QObject>
#include <QVariant>

namespace zelko6 {

namespace {
constexpr char kProperty[] = "zelko6DuringOperations";
} // namespace

void setDuringOperations(QObject &control, DuringOperations rule)
{
    control.setProperty(kProperty, static_cast<int>(rule));
}

std::optional<DuringOperations> duringOperations(const QObject &control)
{
    const QVariant rule = control.property(kProperty);
    if (!rule.isValid())
        return std::nullopt;
    return static_cast<DuringOperations>(rule.toInt());
}

} // namespace zelko6
