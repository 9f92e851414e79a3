#pragma once
// MSFGrid1: the hex grid. The header row and the address column are the view's headers, so they
// stay in place while the data scrolls and can never hold the current cell.

#include <QTableView>

namespace zelko6 {

class GridModel;

class HexGridView final : public QTableView {
    Q_OBJECT
  public:
    explicit HexGridView(GridModel &model, QWidget *parent = nullptr);

    // Grid coordinates of the current cell: Row 1.. for data rows, Col 1..16 bytes, 17 characters;
    // 0 when there is no current cell (only the header row exists).
    int Row() const;
    int Col() const;
    void setCurrentCell(int row, int column); // without raising the selection event
    // The byte cell of `address` made current and scrolled into the middle of the view.
    void showAddress(int address);
    // The byte under the current cell, or -1 when the current cell is not a byte cell.
    int selectedAddress() const;

    // The columns' widths: the designed twips, or what the font's texts need when that is more.
    void SetGridLayout();
    QSize sizeHint() const override;

  signals:
    // The user clicked a cell (byMouse) or moved the current cell with the keys.
    void cellSelected(bool byMouse);

  protected:
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;

  private:
    // The widest texts of each column in the font in use: measured again only when the font changes.
    struct WidestTexts {
        QString fontKey;
        QString address;
        int byte = 0;
        int chars = 0;
    };
    const WidestTexts &widestTexts();

    WidestTexts widest_;
    bool settingFromCode_ = false;
    bool pressing_ = false;
};

} // namespace zelko6
