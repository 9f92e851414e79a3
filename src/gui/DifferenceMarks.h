#pragma once
// How the grid shows a cell whose byte differs from the chip's or a file's: a red tint that reads
// on light and dark palettes alike, and a description naming the other value for screen readers
// (and as a tool tip for everybody).

#include <QIdentityProxyModel>

namespace zelko6 {

class GridModel;

class DifferenceMarks final : public QIdentityProxyModel {
    Q_OBJECT
  public:
    explicit DifferenceMarks(GridModel &grid, QObject *parent = nullptr);

    QVariant data(const QModelIndex &index, int role) const override;

  private:
    GridModel &grid_;
};

} // namespace zelko6
