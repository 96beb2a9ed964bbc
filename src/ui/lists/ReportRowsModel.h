#pragma once

#include <QAbstractTableModel>
#include <QIcon>
#include <QStringList>

#include <cstdint>
#include <vector>

// The rows of a report list: the cell texts, the picture drawn at the left of the first
// column, the check box and the highlight of each row. The list owns nothing else.
class ReportRowsModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // True on the rows that carry the highlight of the recording that plays.
    static constexpr int kHighlightRole = Qt::UserRole;

    // pictures by index; a row whose picture index has none shows no picture.
    ReportRowsModel(int columnCount, bool checkable, std::vector<QIcon> pictures,
                    QObject* parent = nullptr);

    void SetTitle(int column, const QString& title);

    // cells holds one text per column. False when the list cannot take another row.
    bool AppendRow(const QStringList& cells, int picture);
    void Clear();

    bool IsRow(int32_t row) const { return row >= 0 && row < rowCount(); }
    void SetHighlight(int32_t row, bool highlighted);
    bool IsChecked(int32_t row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    struct Row {
        QStringList cells;
        int picture;
        bool checked = false;
        bool highlighted = false;
    };

    QStringList m_titles;
    std::vector<QIcon> m_pictures;
    std::vector<Row> m_rows;
    bool m_checkable;
};
