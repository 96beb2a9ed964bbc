#include "ui/lists/CKtrFileListCtrl.h"

#include "library/ListCellTexts.h"
#include "playback/WindowMessages.h"
#include "ui/lists/ReportRowDelegate.h"
#include "ui/lists/ReportRowsModel.h"
#include "ui/window/ControlIds.h"

#include <QItemSelectionModel>

#include <algorithm>
#include <limits>

namespace {

constexpr int kThreeTenths = 3;

constexpr uint16_t kTextFileName = 122;
constexpr uint16_t kTextStart = 118;
constexpr uint16_t kTextDateTime = 124;
// The accessible name: the word the OPEN button's tooltip uses for recordings.
constexpr uint16_t kTextFiles = 179;

} // namespace

CKtrFileListCtrl::CKtrFileListCtrl(QWidget* parent)
    : ReportListView(
          {
              .columns = {{kTextFileName, kThreeTenths},
                          {kTextStart, kThreeTenths},
                          {kTextDateTime, kThreeTenths}},
              .nameId = kTextFiles,
              .activateMessage = WM_KTR_FILE_SELECTED,
              .checkable = false,
              .pictures = {},
          },
          parent) {
    setObjectName(QString::number(static_cast<int>(ControlId::FileList)));
    Delegate().SetGreyRowTest([this](int32_t row) { return IsGreyRow(row); });
}

bool CKtrFileListCtrl::AddFileRow(const QString& name, uint8_t lockFlags) {
    const auto cells = FileRowTexts(name);
    return Rows().AppendRow(QStringList(cells.begin(), cells.end()), lockFlags);
}

void CKtrFileListCtrl::SetPlayingRow(int32_t row) {
    m_playingRow = row;
    viewport()->update();
}

void CKtrFileListCtrl::DeleteAllItems() {
    Rows().Clear();
}

void CKtrFileListCtrl::SetHighlight(int32_t row, bool highlighted) {
    Rows().SetHighlight(row, highlighted);
}

void CKtrFileListCtrl::EnsureVisible(int32_t row) {
    ScrollRowIntoView(row);
}

bool CKtrFileListCtrl::IsGreyRow(int32_t row) const {
    return row != m_playingRow && row == FirstSelectedRow();
}

int32_t CKtrFileListCtrl::FirstSelectedRow() const {
    int32_t first = std::numeric_limits<int32_t>::max();
    for (const QItemSelectionRange& range : selectionModel()->selection())
        first = std::min(first, range.top());
    return first == std::numeric_limits<int32_t>::max() ? -1 : first;
}
