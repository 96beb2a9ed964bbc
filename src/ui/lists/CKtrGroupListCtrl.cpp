#include "ui/lists/CKtrGroupListCtrl.h"

#include "library/ListCellTexts.h"
#include "playback/WindowMessages.h"
#include "ui/lists/LockIconEngine.h"
#include "ui/lists/ReportRowsModel.h"
#include "ui/window/ControlIds.h"

namespace {

constexpr int kLockSide = 24;
constexpr int kFifth = 2; // tenths

constexpr uint16_t kTextGroup = 116;
constexpr uint16_t kTextResolution = 117;
constexpr uint16_t kTextStart = 118;
constexpr uint16_t kTextLength = 119;
constexpr uint16_t kTextFileSize = 120;

} // namespace

CKtrGroupListCtrl::CKtrGroupListCtrl(QWidget* parent)
    : ReportListView(
          {
              .columns = {{kTextGroup, kFifth},
                          {kTextResolution, kFifth},
                          {kTextStart, kFifth},
                          {kTextLength, kFifth},
                          {kTextFileSize, kFifth}},
              .nameId = kTextGroup,
              .activateMessage = WM_KTR_GROUP_SELECTED,
              .checkable = true,
              .pictures = LockIconEngine::LockIcons(),
          },
          parent) {
    setIconSize(QSize(kLockSide, kLockSide));
    setObjectName(QString::number(static_cast<int>(ControlId::GroupList)));
}

bool CKtrGroupListCtrl::GetCheck(int32_t row) const {
    return Rows().IsChecked(row);
}

bool CKtrGroupListCtrl::AddGroupRow(int32_t number, const QString& resolution, uint64_t totalMs,
                                    uint64_t totalBytes, uint8_t lockFlags, int64_t startTime) {
    const auto cells = GroupRowTexts(number, resolution, totalMs, totalBytes, startTime);
    return Rows().AppendRow(QStringList(cells.begin(), cells.end()), lockFlags);
}

void CKtrGroupListCtrl::DeleteAllItems() {
    Rows().Clear();
}

void CKtrGroupListCtrl::SetHighlight(int32_t row, bool highlighted) {
    Rows().SetHighlight(row, highlighted);
}

void CKtrGroupListCtrl::EnsureVisible(int32_t row) {
    ScrollRowIntoView(row);
}
