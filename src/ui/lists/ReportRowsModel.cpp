#include "ui/lists/ReportRowsModel.h"

#include <limits>

ReportRowsModel::ReportRowsModel(int columnCount, bool checkable, std::vector<QIcon> pictures,
                                 QObject* parent)
    : QAbstractTableModel(parent), m_pictures(std::move(pictures)), m_checkable(checkable) {
    m_titles.resize(columnCount);
}

void ReportRowsModel::SetTitle(int column, const QString& title) {
    if (column < 0 || column >= columnCount())
        return;
    m_titles[column] = title;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

bool ReportRowsModel::AppendRow(const QStringList& cells, int picture) {
    // Rows are addressed by int everywhere in the views.
    if (m_rows.size() >= static_cast<size_t>(std::numeric_limits<int>::max()))
        return false;
    const int n = rowCount();
    beginInsertRows(QModelIndex(), n, n);
    m_rows.push_back({cells, picture});
    endInsertRows();
    return true;
}

void ReportRowsModel::Clear() {
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

void ReportRowsModel::SetHighlight(int32_t row, bool highlighted) {
    if (!IsRow(row) || m_rows[row].highlighted == highlighted)
        return;
    m_rows[row].highlighted = highlighted;
    emit dataChanged(index(row, 0), index(row, columnCount() - 1), {kHighlightRole});
}

bool ReportRowsModel::IsChecked(int32_t row) const {
    return IsRow(row) && m_rows[row].checked;
}

int ReportRowsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int ReportRowsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_titles.size());
}

QVariant ReportRowsModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const Row& row = m_rows[index.row()];
    switch (role) {
    case Qt::DisplayRole:
        return row.cells.value(index.column());
    case Qt::DecorationRole:
        if (index.column() == 0 && row.picture >= 0 &&
            static_cast<size_t>(row.picture) < m_pictures.size())
            return m_pictures[row.picture];
        return {};
    case Qt::CheckStateRole:
        if (m_checkable && index.column() == 0)
            return row.checked ? Qt::Checked : Qt::Unchecked;
        return {};
    case kHighlightRole:
        return row.highlighted;
    default:
        return {};
    }
}

bool ReportRowsModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid) || role != Qt::CheckStateRole ||
        !m_checkable || index.column() != 0)
        return false;
    m_rows[index.row()].checked = value.toInt() == Qt::Checked;
    emit dataChanged(index, index, {Qt::CheckStateRole});
    return true;
}

QVariant ReportRowsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= columnCount())
        return {};
    return m_titles[section];
}

Qt::ItemFlags ReportRowsModel::flags(const QModelIndex& index) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (m_checkable && index.column() == 0)
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}
