#pragma once

#include "library/CatalogueViews.h"
#include "ui/lists/ReportListView.h"

// The group list: one row per group of the catalogue, with a check box and the group's lock
// picture. The ticked groups are what the file operations act on.
class CKtrGroupListCtrl : public ReportListView, public GroupListSink {
    Q_OBJECT

public:
    explicit CKtrGroupListCtrl(QWidget* parent = nullptr);

    // Whether row's check box is ticked; false for a row outside the list.
    bool GetCheck(int32_t row) const;
    bool IsChecked(int32_t row) const override { return GetCheck(row); }

    bool AddGroupRow(int32_t number, const QString& resolution, uint64_t totalMs,
                     uint64_t totalBytes, uint8_t lockFlags, int64_t startTime) override;
    void DeleteAllItems() override;
    void SetHighlight(int32_t row, bool highlighted) override;
    void EnsureVisible(int32_t row) override;
};
