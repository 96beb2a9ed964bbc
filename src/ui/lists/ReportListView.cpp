#include "ui/lists/ReportListView.h"

#include "app/LoadText.h"
#include "playback/WindowMessages.h"
#include "ui/lists/ReportRowDelegate.h"
#include "ui/lists/ReportRowsModel.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

#include <algorithm>

namespace {

constexpr int kTenths = 10;
// Rows are as high as the lock pictures, whichever list they are in.
constexpr int kRowHeight = 24;
constexpr int kGridLine = 1;

} // namespace

ReportListView::ReportListView(Layout layout, QWidget* parent)
    : QTableView(parent), m_columns(std::move(layout.columns)), m_nameId(layout.nameId),
      m_activateMessage(layout.activateMessage),
      m_rows(new ReportRowsModel(static_cast<int>(m_columns.size()), layout.checkable,
                                 std::move(layout.pictures), this)),
      m_delegate(new ReportRowDelegate(this)) {
    setModel(m_rows);
    setItemDelegate(m_delegate);
    setShowGrid(true);
    setWordWrap(false);
    setSelectionBehavior(SelectRows);
    setSelectionMode(ExtendedSelection);
    setEditTriggers(NoEditTriggers);
    setTabKeyNavigation(false);
    setCornerButtonEnabled(false);
    setHorizontalScrollMode(ScrollPerPixel);

    verticalHeader()->hide();
    // The grid line is drawn inside the row's section, below the row's own pixels.
    const int section = std::max(kRowHeight, fontMetrics().height()) + kGridLine;
    verticalHeader()->setMinimumSectionSize(section);
    verticalHeader()->setDefaultSectionSize(section);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);

    QHeaderView* header = horizontalHeader();
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setSectionsClickable(false);
    header->setHighlightSections(false);
    header->setSectionsMovable(false);
    header->setStretchLastSection(false);
    header->setSectionResizeMode(QHeaderView::Interactive);
}

void ReportListView::Setup(const CAppSettings& settings) {
    const int outerWidth = width();
    for (size_t i = 0; i < m_columns.size(); ++i)
        horizontalHeader()->resizeSection(static_cast<int>(i),
                                          outerWidth * m_columns[i].widthTenths / kTenths);
    RelabelColumns(settings);
}

void ReportListView::RelabelColumns(const CAppSettings& settings) {
    for (size_t i = 0; i < m_columns.size(); ++i)
        m_rows->SetTitle(static_cast<int>(i), LoadText(settings, m_columns[i].titleId));
    setAccessibleName(LoadText(settings, m_nameId));
}

void ReportListView::ScrollRowIntoView(int32_t row) {
    if (!m_rows->IsRow(row))
        return;
    const int left = horizontalScrollBar()->value();
    scrollTo(m_rows->index(row, 0), EnsureVisible);
    horizontalScrollBar()->setValue(left);
}

void ReportListView::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableView::mouseDoubleClickEvent(event);
    const QModelIndex index = indexAt(event->position().toPoint());
    PostActivation(index.isValid() ? index.row() : -1);
}

void ReportListView::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && currentIndex().isValid()) {
        PostActivation(currentIndex().row());
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void ReportListView::PostActivation(int32_t row) {
    // Posted, not sent: the window's answer (starting playback, moving the highlights) must
    // not run inside this list's own input handling.
    QCoreApplication::postEvent(window(), new KtrMessageEvent(m_activateMessage, row, 0));
}
