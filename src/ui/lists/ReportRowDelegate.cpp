#include "ui/lists/ReportRowDelegate.h"

#include "ui/lists/ReportRowsModel.h"

#include <QPainter>

namespace {

const QColor kGreyRow(237, 237, 237);
// The grey starts this far right of the cell's left edge, so the column edges stay visible.
constexpr int kGreyLeftInset = 2;

} // namespace

ReportRowDelegate::ReportRowDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

void ReportRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    if (m_isGreyRow && m_isGreyRow(index.row())) {
        PaintGreyCell(painter, option, index);
        return;
    }
    QStyleOptionViewItem look(option);
    if (index.data(ReportRowsModel::kHighlightRole).toBool())
        look.state |= QStyle::State_Selected | QStyle::State_Active;
    QStyledItemDelegate::paint(painter, look, index);
}

void ReportRowDelegate::PaintGreyCell(QPainter* painter, const QStyleOptionViewItem& option,
                                      const QModelIndex& index) const {
    const QRect cell = option.rect.adjusted(kGreyLeftInset, 0, 0, 0);
    painter->save();
    // Under the cell the view has already drawn the row's selection.
    painter->fillRect(option.rect, option.palette.brush(QPalette::Base));
    painter->fillRect(cell, kGreyRow);
    painter->setPen(Qt::black);
    painter->setFont(option.font);
    painter->drawText(cell, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                      index.data(Qt::DisplayRole).toString());
    painter->restore();
}
