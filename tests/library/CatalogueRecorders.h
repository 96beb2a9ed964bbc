#pragma once

#include "library/CatalogueViews.h"
#include "track/TrackSinks.h"

#include <QString>

#include <cstdint>
#include <set>
#include <vector>

// Views that remember what the catalogue asked of them.

struct GroupRowCall {
    int32_t number;
    QString resolution;
    uint64_t totalMs;
    uint64_t totalBytes;
    uint8_t lockFlags;
    int64_t startTime;
};

// What both lists remember besides their rows: highlights, the row scrolled into view and how
// often they were emptied.
template <typename Sink, typename Row> class RecordingList : public Sink {
public:
    void DeleteAllItems() override {
        rows.clear();
        highlighted.clear();
        ++deletes;
    }
    void SetHighlight(int32_t row, bool on) override {
        if (on)
            highlighted.insert(row);
        else
            highlighted.erase(row);
    }
    void EnsureVisible(int32_t row) override { visible = row; }

    std::vector<Row> rows;
    std::set<int32_t> highlighted;
    int32_t visible = -1;
    int deletes = 0;
};

class RecordingGroupList : public RecordingList<GroupListSink, GroupRowCall> {
public:
    bool AddGroupRow(int32_t number, const QString& resolution, uint64_t totalMs,
                     uint64_t totalBytes, uint8_t lockFlags, int64_t startTime) override {
        rows.push_back({number, resolution, totalMs, totalBytes, lockFlags, startTime});
        return true;
    }
    void DeleteAllItems() override {
        RecordingList::DeleteAllItems();
        ticked.clear();
    }
    bool IsChecked(int32_t row) const override { return ticked.count(row) != 0; }

    std::set<int32_t> ticked; // rows whose check box the user ticked
};

struct FileRowCall {
    QString name;
    uint8_t lockFlags;
};

class RecordingFileList : public RecordingList<FileListSink, FileRowCall> {
public:
    bool AddFileRow(const QString& name, uint8_t lockFlags) override {
        rows.push_back({name, lockFlags});
        return true;
    }
    void SetPlayingRow(int32_t row) override { playing = row; }

    int32_t playing = -1;
};

class RecordingProgress : public ScanProgressSurface {
public:
    void SetCounter(int32_t filesExamined) override { shown = filesExamined; }
    void RepaintNow() override { painted.push_back(shown); }
    void ShowUnreadable(const std::vector<UnreadableRecording>& files) override {
        unreadable.push_back(files);
    }

    int32_t shown = -1;
    std::vector<int32_t> painted;                             // the counter at every forced repaint
    std::vector<std::vector<UnreadableRecording>> unreadable; // the list at the end of each scan
};

class RecordingCurve : public GSensorCurveSink {
public:
    void AddSample(const GSensorSample&) override {}
    void ClearSamples() override { ++clears; }
    void SetScale(double, double) override {}
    void UpdateSpan() override {}
    void SetSamplesPerMs(double) override {}
    double SamplesPerMs() const override { return 0.0; }
    void Repaint() override { ++repaints; }

    int clears = 0;
    int repaints = 0;
};
