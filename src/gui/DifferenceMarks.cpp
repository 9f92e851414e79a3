#include "gui/DifferenceMarks.h"

#include "core/buffer/GridModel.h"
#include "messages/StatusTexts.h"

#include <QColor>

namespace zelko6 {

DifferenceMarks::DifferenceMarks(GridModel &grid, QObject *parent) : QIdentityProxyModel(parent), grid_(grid)
{
    setSourceModel(&grid);
}

QVariant DifferenceMarks::data(const QModelIndex &index, int role) const
{
    if (role != Qt::BackgroundRole && role != Qt::AccessibleDescriptionRole && role != Qt::ToolTipRole)
        return QIdentityProxyModel::data(index, role);
    const QVariant other = QIdentityProxyModel::data(index, kOtherValueRole);
    if (!other.isValid())
        return QIdentityProxyModel::data(index, role);
    if (role == Qt::BackgroundRole)
        return QColor(230, 0, 0,
                      90); // translucent: the palette's base shows through, so the text keeps its contrast
    return StatusTexts::otherValue(grid_.comparedWith(), static_cast<uint8_t>(other.toInt()));
}

} // namespace zelko6
