#pragma once
// The cells of the hex grid. Model row r is data row r + 1 of the grid; model columns 0..15 are
// the byte columns 1..16 and model column 16 the character column 17. The address column and the
// header row are the view's headers.
//
// The grid holds its own copy of what it shows: it changes only through a full refresh or a
// single-cell update, never by itself when the buffer changes underneath it.

#include "core/buffer/Differences.h"

#include <QAbstractTableModel>
#include <QByteArray>
#include <QHash>
#include <span>
#include <vector>

namespace zelko6 {

inline constexpr int kBytesPerRow = 16;
inline constexpr int kCharColumn = 16; // model column of the characters

// A byte cell marked as differing answers this role with the other image's value (an int).
inline constexpr int kOtherValueRole = Qt::UserRole + 1;

class GridModel final : public QAbstractTableModel {
    Q_OBJECT
  public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // Full refresh: every row from these bytes, character cells by the fill rule.
    void showBytes(std::span<const uint8_t> bytes);
    // Back to the header row alone.
    void clear();

    // Marks the byte cells of these addresses (ascending) until the next full refresh or clear:
    // the marks belong to the buffer they were found in. A byte changed in place to the other
    // image's value loses its mark.
    void markDifferences(Differences differences, ComparedWith comparedWith);
    const Differences &differences() const { return differences_; }
    ComparedWith comparedWith() const { return comparedWith_; }

    void setByteCell(int modelRow, int modelColumn, uint8_t value);
    // Rebuilds a row's character cell by the edit rule from its shown bytes.
    void setCharCellByEditRule(int modelRow);

    uint8_t shownByte(int modelRow, int modelColumn) const;
    QString byteText(int modelRow, int modelColumn) const;
    QString charText(int modelRow) const;
    static QString addressText(int modelRow);
    // The row's 18 cell texts joined by TAB: what the dump holds for that row.
    QString rowRecord(int modelRow) const;

    // Bytes changed in place from `first` on: their cells, and the character cells of the rows
    // they touch by the edit rule. With `editRuleRows` (one flag per row touched, from the first),
    // a row whose flag is false goes back to the fill rule instead, as a refresh left it.
    void showChangedBytes(int64_t first, std::span<const uint8_t> bytes,
                          const std::vector<bool> *editRuleRows = nullptr);
    // Which of the rows `firstRow`..`lastRow` show their characters by the edit rule now.
    std::vector<bool> editRuleRows(int firstRow, int lastRow) const;

  private:
    QString editRuleText(int modelRow) const;
    // A mark whose cell now holds the other image's value no longer marks a difference.
    void forgetSettledMarks(int64_t first, int64_t end);

    QByteArray bytes_;
    QHash<int, QString> editedChars_; // rows whose characters follow the edit rule
    Differences differences_;
    ComparedWith comparedWith_ = ComparedWith::Chip;
};

} // namespace zelko6
