#pragma once

#include "tasks/taskItem.h"

#include <QAbstractTableModel>
#include <QStringList>

// The task list: an ordered list of rows, each a caption and ten sub-item
// texts, of which the first four are shown in the columns "Input File",
// "Length", "Size" and "Status". Row order is join order. The rows are the
// only store; code that works on an entry copies it out with ReadTaskItem and
// back with WriteTaskItem.
class TaskListModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int TextsPerRow = 11; // the caption and ten sub-items
    static constexpr int VisibleColumns = 4;

    explicit TaskListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Fills the fields the selector names from row `row`; leaves the others as they were.
    void ReadTaskItem(int row, int selector, ltvItemData& item) const;
    // Writes the texts the selector names into row `row`; never changes `item`.
    void WriteTaskItem(int row, int selector, ltvItemData item);

    // Appends a row with an empty caption and ten empty sub-items; returns its index.
    int appendEmptyRow();
    void removeTaskRow(int row);
    void clearRows();
    int count() const { return static_cast<int>(m_rows.size()); }

private:
    QList<QStringList> m_rows;
};
