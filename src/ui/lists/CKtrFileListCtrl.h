#pragma once

#include "library/CatalogueViews.h"
#include "ui/lists/ReportListView.h"

// The file list: one row per recording in catalogue order. The first selected row is drawn
// light grey unless it is the row that plays, which keeps its highlight.
class CKtrFileListCtrl : public ReportListView, public FileListSink {
    Q_OBJECT

public:
    explicit CKtrFileListCtrl(QWidget* parent = nullptr);

    int32_t PlayingRow() const { return m_playingRow; }

    bool AddFileRow(const QString& name, uint8_t lockFlags) override;
    void SetPlayingRow(int32_t row) override;
    void DeleteAllItems() override;
    void SetHighlight(int32_t row, bool highlighted) override;
    void EnsureVisible(int32_t row) override;

private:
    bool IsGreyRow(int32_t row) const;
    // The lowest selected row, or -1.
    int32_t FirstSelectedRow() const;

    // Set only by the catalogue's selection; emptying the list leaves it.
    int32_t m_playingRow = -1;
};
