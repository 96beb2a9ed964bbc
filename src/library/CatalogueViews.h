#pragma once

#include "library/CatalogueRecords.h"

#include <QString>

#include <cstdint>
#include <vector>

// What the catalogue drives on either list. Rows outside the list are ignored by the view.
class CatalogueListSink {
public:
    virtual ~CatalogueListSink() = default;
    virtual void DeleteAllItems() = 0;
    virtual void SetHighlight(int32_t row, bool highlighted) = 0;
    // Scrolls until the whole row is visible.
    virtual void EnsureVisible(int32_t row) = 0;
};

class GroupListSink : public CatalogueListSink {
public:
    // False when the view refuses the new row.
    virtual bool AddGroupRow(int32_t number, const QString& resolution, uint64_t totalMs,
                             uint64_t totalBytes, uint8_t lockFlags, int64_t startTime) = 0;
    // Whether row's check box is ticked; a view without check boxes ticks nothing.
    virtual bool IsChecked(int32_t /*row*/) const { return false; }
};

class FileListSink : public CatalogueListSink {
public:
    // False when the view refuses the new row.
    virtual bool AddFileRow(const QString& name, uint8_t lockFlags) = 0;
    virtual void SetPlayingRow(int32_t row) = 0;
};

// The counter shown on the front video surface while a folder is scanned.
class ScanProgressSurface {
public:
    virtual ~ScanProgressSurface() = default;
    virtual void SetCounter(int32_t filesExamined) = 0;
    // Paints at once, without waiting for the event loop: the scan blocks it.
    virtual void RepaintNow() = 0;
    // At the end of every scan, with the files it had to leave out; empty when there were none.
    virtual void ShowUnreadable(const std::vector<UnreadableRecording>& /*files*/) {}
};
