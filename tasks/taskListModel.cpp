#include "tasks/taskListModel.h"

#include "tasks/timeText.h"

namespace {

// The text field of a record that a sub-item selector (−1 to 9) addresses.
QString* textField(ltvItemData& item, int selector) {
    switch (selector) {
    case TaskField::Caption: return &item.InputFile;
    case TaskField::Length: return &item.LengthText;
    case TaskField::Size: return &item.SizeText;
    case TaskField::Status: return &item.StatusText;
    case TaskField::Title: return &item.TitleText;
    case TaskField::Spare: return &item.SpareText;
    case 5: return &item.SpareTime1Text;
    case 6: return &item.SpareTime2Text;
    case 7: return &item.SpareTime3Text;
    case 8: return &item.SpareTime4Text;
    case 9: return &item.SpareTime5Text;
    default: return nullptr;
    }
}

// The seconds field derived from a selector's time text, if it has one.
double* secondsField(ltvItemData& item, int selector) {
    switch (selector) {
    case TaskField::Length: return &item.LengthSeconds;
    case 5: return &item.SpareTime1Seconds;
    case 6: return &item.SpareTime2Seconds;
    case 7: return &item.SpareTime3Seconds;
    case 8: return &item.SpareTime4Seconds;
    case 9: return &item.SpareTime5Seconds;
    default: return nullptr;
    }
}

} // namespace

TaskListModel::TaskListModel(QObject* parent) : QAbstractTableModel(parent) {}

int TaskListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : count();
}

int TaskListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : VisibleColumns;
}

QVariant TaskListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= count() || index.column() >= VisibleColumns)
        return {};
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return m_rows[index.row()][index.column()];
    return {};
}

QVariant TaskListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const QStringList titles{QStringLiteral("Input File"), QStringLiteral("Length"),
                                    QStringLiteral("Size"), QStringLiteral("Status")};
    return titles.value(section);
}

void TaskListModel::ReadTaskItem(int row, int selector, ltvItemData& item) const {
    const QStringList& texts = m_rows.at(row);
    if (selector == TaskField::All) {
        for (int s = TaskField::Caption; s <= TaskField::SpareTime5; ++s)
            *textField(item, s) = texts[s + 1];
        for (int s : {0, 5, 6, 7, 8, 9})
            *secondsField(item, s) = TimeTextToSeconds(*textField(item, s));
        return;
    }
    QString* text = textField(item, selector);
    if (!text)
        return;
    *text = texts[selector + 1];
    if (double* seconds = secondsField(item, selector))
        *seconds = TimeTextToSeconds(*text);
}

void TaskListModel::WriteTaskItem(int row, int selector, ltvItemData item) {
    QStringList& texts = m_rows[row];
    if (selector == TaskField::All) {
        for (int s = TaskField::Caption; s <= TaskField::SpareTime5; ++s)
            texts[s + 1] = *textField(item, s);
        emit dataChanged(index(row, 0), index(row, VisibleColumns - 1));
        return;
    }
    const QString* text = textField(item, selector);
    if (!text)
        return;
    texts[selector + 1] = *text;
    const int column = selector + 1;
    if (column < VisibleColumns)
        emit dataChanged(index(row, column), index(row, column));
}

int TaskListModel::appendEmptyRow() {
    const int row = count();
    beginInsertRows(QModelIndex(), row, row);
    m_rows.append(QStringList(TextsPerRow, QString()));
    endInsertRows();
    return row;
}

void TaskListModel::removeTaskRow(int row) {
    beginRemoveRows(QModelIndex(), row, row);
    m_rows.removeAt(row);
    endRemoveRows();
}

void TaskListModel::clearRows() {
    if (m_rows.isEmpty())
        return;
    beginResetModel();
    m_rows.clear();
    endResetModel();
}
