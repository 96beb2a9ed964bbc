#pragma once

#include <QStyledItemDelegate>

#include <cstdint>
#include <functional>

// Draws the cells of a report list. A highlighted row takes the look of a selected row of an
// active window, whether or not the list has the focus. Rows that the grey-row test picks are
// drawn light grey with black text instead of in the style's selection look.
class ReportRowDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using GreyRowTest = std::function<bool(int32_t row)>;

    explicit ReportRowDelegate(QObject* parent = nullptr);

    void SetGreyRowTest(GreyRowTest isGreyRow) { m_isGreyRow = std::move(isGreyRow); }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    void PaintGreyCell(QPainter* painter, const QStyleOptionViewItem& option,
                       const QModelIndex& index) const;

    GreyRowTest m_isGreyRow;
};
