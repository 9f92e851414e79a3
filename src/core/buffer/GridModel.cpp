#include "core/buffer/GridModel.h"
#include "core/text/CharRules.h"
#include "core/text/HexText.h"

#include <algorithm>

namespace zelko6 {

int GridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(bytes_.size() / kBytesPerRow);
}

int GridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kBytesPerRow + 1;
}

QVariant GridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const bool chars = index.column() == kCharColumn;
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return chars ? charText(index.row()) : byteText(index.row(), index.column());
    if (role == Qt::TextAlignmentRole)
        return chars ? QVariant(Qt::AlignLeft | Qt::AlignVCenter) : QVariant(Qt::AlignCenter);
    if (role == kOtherValueRole && !chars && !differences_.empty()) {
        if (const ByteDifference *d = differenceAt(differences_, index.row() * kBytesPerRow + index.column()))
            return int{d->other};
    }
    return {};
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical) {
        if (role == Qt::DisplayRole)
            return addressText(section);
        if (role == Qt::TextAlignmentRole)
            return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
        return {};
    }
    if (role == Qt::DisplayRole) {
        if (section == kCharColumn)
            return QStringLiteral("ASCII");
        return QStringLiteral("0x") + hexDigits(static_cast<uint32_t>(section), 2);
    }
    if (role == Qt::TextAlignmentRole)
        return section == kCharColumn ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                      : QVariant(Qt::AlignCenter);
    return {};
}

Qt::ItemFlags GridModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? (Qt::ItemIsEnabled | Qt::ItemIsSelectable) : Qt::NoItemFlags;
}

void GridModel::showBytes(std::span<const uint8_t> bytes)
{
    beginResetModel();
    // Whole rows only: bytes after the last complete group of sixteen are not shown.
    const size_t shown = bytes.size() - bytes.size() % kBytesPerRow;
    bytes_ = QByteArray(reinterpret_cast<const char *>(bytes.data()), static_cast<qsizetype>(shown));
    editedChars_.clear();
    differences_.clear();
    endResetModel();
}

void GridModel::clear()
{
    beginResetModel();
    bytes_.clear();
    editedChars_.clear();
    differences_.clear();
    endResetModel();
}

void GridModel::markDifferences(Differences differences, ComparedWith comparedWith)
{
    // Only cells the grid shows can carry a mark.
    const int shown = static_cast<int>(bytes_.size());
    std::erase_if(differences,
                  [shown](const ByteDifference &d) { return d.address < 0 || d.address >= shown; });
    const bool hadMarks = !differences_.empty();
    differences_ = std::move(differences);
    comparedWith_ = comparedWith;
    if ((hadMarks || !differences_.empty()) && rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, kBytesPerRow - 1));
}

void GridModel::setByteCell(int modelRow, int modelColumn, uint8_t value)
{
    if (modelRow < 0 || modelRow >= rowCount() || modelColumn < 0 || modelColumn >= kBytesPerRow)
        return;
    const int address = modelRow * kBytesPerRow + modelColumn;
    bytes_[address] = static_cast<char>(value);
    forgetSettledMarks(address, address + 1);
    const QModelIndex cell = index(modelRow, modelColumn);
    emit dataChanged(cell, cell, {Qt::DisplayRole});
}

void GridModel::setCharCellByEditRule(int modelRow)
{
    if (modelRow < 0 || modelRow >= rowCount())
        return;
    editedChars_.insert(modelRow, editRuleText(modelRow));
    const QModelIndex cell = index(modelRow, kCharColumn);
    emit dataChanged(cell, cell, {Qt::DisplayRole});
}

QString GridModel::editRuleText(int modelRow) const
{
    QString text(kBytesPerRow, Qt::Uninitialized);
    for (int i = 0; i < kBytesPerRow; ++i)
        text[i] = editRuleChar(shownByte(modelRow, i));
    return text;
}

uint8_t GridModel::shownByte(int modelRow, int modelColumn) const
{
    return static_cast<uint8_t>(bytes_.at(modelRow * kBytesPerRow + modelColumn));
}

QString GridModel::byteText(int modelRow, int modelColumn) const
{
    return byteCellText(shownByte(modelRow, modelColumn));
}

QString GridModel::charText(int modelRow) const
{
    if (const auto edited = editedChars_.constFind(modelRow); edited != editedChars_.cend())
        return *edited;
    QString text(kBytesPerRow, Qt::Uninitialized);
    for (int i = 0; i < kBytesPerRow; ++i)
        text[i] = fillRuleChar(shownByte(modelRow, i));
    return text;
}

QString GridModel::addressText(int modelRow)
{
    // Cut to the last five digits, as the address column has always shown them.
    return QStringLiteral("0x") + hexDigits(static_cast<uint32_t>(modelRow) * kBytesPerRow, 5);
}

QString GridModel::rowRecord(int modelRow) const
{
    QString record = addressText(modelRow) + u'\t';
    for (int i = 0; i < kBytesPerRow; ++i)
        record += byteText(modelRow, i) + u'\t';
    return record + charText(modelRow);
}

void GridModel::showChangedBytes(int64_t first, std::span<const uint8_t> bytes,
                                 const std::vector<bool> *editRuleRows)
{
    const int64_t shown = bytes_.size();
    const int64_t end = std::min<int64_t>(first + static_cast<int64_t>(bytes.size()), shown);
    if (first < 0 || first >= end)
        return;
    std::copy(bytes.begin(), bytes.begin() + (end - first), bytes_.begin() + first);
    forgetSettledMarks(first, end);
    const int firstRow = static_cast<int>(first / kBytesPerRow);
    const int lastRow = static_cast<int>((end - 1) / kBytesPerRow);
    for (int row = firstRow; row <= lastRow; ++row) {
        if (!editRuleRows || (*editRuleRows)[static_cast<size_t>(row - firstRow)])
            editedChars_.insert(row, editRuleText(row));
        else
            editedChars_.remove(row);
    }
    // One notice for the whole block: a fill of every row must not cost a repaint per cell.
    emit dataChanged(index(firstRow, 0), index(lastRow, kCharColumn), {Qt::DisplayRole});
}

void GridModel::forgetSettledMarks(int64_t first, int64_t end)
{
    const auto from = std::lower_bound(differences_.begin(), differences_.end(), first,
                                       [](const ByteDifference &d, int64_t at) { return d.address < at; });
    const auto to = std::lower_bound(from, differences_.end(), end,
                                     [](const ByteDifference &d, int64_t at) { return d.address < at; });
    differences_.erase(std::remove_if(from, to,
                                      [this](const ByteDifference &d) {
                                          return static_cast<uint8_t>(bytes_[d.address]) == d.other;
                                      }),
                       to);
}

std::vector<bool> GridModel::editRuleRows(int firstRow, int lastRow) const
{
    std::vector<bool> rows;
    rows.reserve(static_cast<size_t>(std::max(0, lastRow - firstRow + 1)));
    for (int row = firstRow; row <= lastRow; ++row)
        rows.push_back(editedChars_.contains(row));
    return rows;
}

} // namespace zelko6
