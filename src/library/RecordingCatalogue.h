#pragma once

#include "library/CatalogueRecords.h"
#include "library/FileFailure.h"
#include "track/TrackRecords.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

class CopyJob;
class FileListSink;
class GroupListSink;
class GSensorCurveSink;
class MapScriptSink;
class ScanProgressSurface;

// The ordered recordings of the opened folder or file, their groups and list rows, and the
// track of the recording that plays. Every view link is optional.
class RecordingCatalogue {
public:
    RecordingCatalogue() = default;
    RecordingCatalogue(const RecordingCatalogue&) = delete;
    RecordingCatalogue& operator=(const RecordingCatalogue&) = delete;

    void SetGroupList(GroupListSink* list) { m_groupList = list; }
    void SetFileList(FileListSink* list) { m_fileList = list; }
    void SetProgress(ScanProgressSurface* surface) { m_progress = surface; }
    void SetCurve(GSensorCurveSink* curve) { m_curve = curve; }
    void SetMap(MapScriptSink* map) { m_map = map; }

    void Clear();
    // An empty fileName scans the tree under root; otherwise that one file in folder root is
    // catalogued. False when root (or the file) does not exist; the catalogue is then empty.
    // A folder scan keeps the files it had to leave out in Unreadable(), ordered by path,
    // and every scan ends by showing them on the progress surface.
    bool Scan(const QString& root, const QString& fileName);

    // Makes entry n current and highlights it; false (and nothing changes) when n is no row.
    bool Select(int32_t n);
    QString EntryPath(int32_t n) const;
    QString CurrentPath() const;

    struct NameClass {
        bool accepted = false;
        uint8_t lockFlags = 0;
    };

    // The camera's naming pattern and the lock the name carries (LockG); LockM comes from the
    // file when it is read.
    static NameClass ClassifyName(const QString& name);

    static QString ResolutionText(int width, int height);
    // Creates every directory along path. True only when the deepest one was created now.
    static bool CreateDirectoryPath(const QString& path);

    // Group-start marks, then groups and rows, then the list items. Existing list items stay:
    // a caller that regroups a filled catalogue deletes them first.
    void Regroup();
    void BuildGroups();
    void FillLists();

    // Sets every group's checked field from its row's check box; true when one is ticked.
    bool CollectChecks();
    // The file operations on every file of the ticked groups. Each returns false, doing
    // nothing, when no group is ticked; failures lists every file that could not be changed.
    // Removes both locks and refills the lists with the new names and flags.
    bool UnlockChecked(std::vector<FileFailure>& failures);
    // Deletes the files, locked or not, and regroups what is left. The current entry follows
    // its file, or becomes -1 when the file was deleted.
    bool DeleteChecked(std::vector<FileFailure>& failures);
    // True when the answer is to copy over the existing target.
    using OverwriteQuestion = std::function<bool(const QString& target)>;
    // Starts copying the files into destination, below the same subfolders as under the scan
    // root, which are created as needed. A target that exists is asked about, in order, before
    // the copy starts; one not to be overwritten is skipped.
    bool CopyChecked(const QString& destination, const OverwriteQuestion& confirmOverwrite,
                     CopyJob& job);

    int32_t EntryCount() const { return static_cast<int32_t>(m_entries.size()); }
    const RecordingEntry& Entry(int32_t n) const { return m_entries[static_cast<size_t>(n)]; }
    const std::vector<RecordingEntry>& Entries() const { return m_entries; }
    const std::vector<RecordingGroup>& Groups() const { return m_groups; }
    const std::vector<FileRow>& Rows() const { return m_rows; }
    // Files whose name fits but that no reader could read, with the reader's reason.
    const std::vector<UnreadableRecording>& Unreadable() const { return m_unreadable; }
    int32_t filesExamined() const { return m_filesExamined; }
    int32_t currentEntry() const { return m_currentEntry; }
    int32_t currentGroup() const { return m_currentGroup; }

    TrackBuffer& Track() { return m_track; }
    const TrackBuffer& Track() const { return m_track; }
    // Reads the track of entry index into Track() and feeds the curve and the map.
    int32_t LoadTrack(int32_t index);
    // Redraws the map's driven trail up to playback time t (ms).
    int32_t RedrawDrivenPath(uint32_t t);

private:
    // The walk's callback during a folder scan.
    void OnFileFound(const QString& root, const QString& subfolder, const QString& name,
                     bool isDirectory);
    // False when the file does not exist. A file the reader cannot read is still added.
    bool AddSingleFile(const QString& folderPath, const QString& name);
    // Catalogue order: by name only, ASCII capitals folded, walk order kept among equal names.
    void SortEntries();

    std::vector<RecordingEntry> m_entries;
    std::vector<RecordingGroup> m_groups;
    std::vector<FileRow> m_rows;
    std::vector<UnreadableRecording> m_unreadable;
    GroupListSink* m_groupList = nullptr;
    FileListSink* m_fileList = nullptr;
    GSensorCurveSink* m_curve = nullptr;
    ScanProgressSurface* m_progress = nullptr;
    TrackBuffer m_track;
    MapScriptSink* m_map = nullptr;
    int32_t m_filesExamined = 0;
    int32_t m_currentEntry = -1;
    int32_t m_currentGroup = -1;
};
