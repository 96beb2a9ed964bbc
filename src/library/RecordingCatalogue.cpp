#include "library/RecordingCatalogue.h"

#include "library/CatalogueLog.h"
#include "library/CatalogueViews.h"
#include "library/FolderWalk.h"
#include "platform/FileStatus.h"
#include "platform/PathText.h"
#include "track/CKtrTsParser.h"
#include "track/CKtrVideoParser.h"
#include "track/NmeaSidecarReader.h"
#include "track/TrackSinks.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <array>

namespace {

constexpr qsizetype kMinNameLength = 8;
constexpr qsizetype kPrefixLength = 4;   // characters 0..3: letters, digits, '_' or '-'
constexpr qsizetype kAviNameLength = 12; // the only length at which ".AVI" is accepted
constexpr int64_t kGroupToleranceSeconds = 2;

struct ResolutionName {
    int width;
    int height;
    const char* name;
};

// Searched from the top; the first exact match wins. Picture sizes are unsigned 16-bit, so
// the last row never matches a real recording.
constexpr std::array<ResolutionName, 13> kResolutionNames{{
    {2048, 1600, "QXGA"},
    {2048, 1536, "QXGA"},
    {1920, 1080, "FHD"},
    {1600, 1200, "UXGA"},
    {1280, 1024, "SXGA"},
    {1280, 720, "HD"},
    {1152, 870, "MAC"},
    {1024, 768, "XGA"},
    {800, 600, "SVGA"},
    {720, 480, "480P"},
    {640, 480, "VGA"},
    {320, 240, "CIF"},
    {-1, -1, ""},
}};

bool IsAsciiDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool IsPrefixCharacter(QChar c) {
    return IsAsciiDigit(c) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
           (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || c == QLatin1Char('_') ||
           c == QLatin1Char('-');
}

char16_t FoldAsciiCapital(char16_t c) {
    return (c >= u'A' && c <= u'Z') ? c + (u'a' - u'A') : c;
}

// UTF-16 code units compared one by one, only A-Z folded: no locale, no Unicode case rules.
bool NameLess(const QString& a, const QString& b) {
    const qsizetype common = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < common; ++i) {
        const char16_t ca = FoldAsciiCapital(a[i].unicode());
        const char16_t cb = FoldAsciiCapital(b[i].unicode());
        if (ca != cb)
            return ca < cb;
    }
    return a.size() < b.size();
}

QString JoinEntryPath(const RecordingEntry& entry) {
    return WithTrailingSeparator(entry.folder) + entry.subfolder + entry.name;
}

bool HasLockCharacter(const QString& name) {
    return name.size() > kLockCharacterPosition && name[kLockCharacterPosition] == QLatin1Char('G');
}

// A transport stream's track lies in its sidecar, so only the catalogue, which needs its start
// time and duration, reads it with a reader of its own.
std::unique_ptr<CKtrVideoParser> CreateCatalogueReader(const QString& name) {
    if (IsTransportStreamName(name))
        return std::make_unique<CKtrTsParser>();
    return CreateReaderForName(name);
}

// Fills entry.info (and status, when given) with the reader that fits the name, and keeps
// what the reader returned and why it failed.
void ParseEntry(RecordingEntry& entry, FileStatus* status) {
    const std::unique_ptr<CKtrVideoParser> reader = CreateCatalogueReader(entry.name);
    reader->SetInfoTarget(&entry.info);
    if (status)
        reader->SetStatusTarget(status);
    entry.readResult = reader->Parse(JoinEntryPath(entry));
    entry.readFailure = reader->Failure();
}

} // namespace

void RecordingCatalogue::Clear() {
    m_entries.clear();
    m_unreadable.clear();
    m_groups.clear();
    m_rows.clear();
    m_currentEntry = -1;
    // The new lists are empty, so no row can stay highlighted as the current group.
    m_currentGroup = -1;
    if (m_groupList)
        m_groupList->DeleteAllItems();
    if (m_fileList)
        m_fileList->DeleteAllItems();
    if (m_curve) {
        m_curve->ClearSamples();
        m_curve->Repaint();
    }
}

bool RecordingCatalogue::Scan(const QString& root, const QString& fileName) {
    Clear();
    bool found = false;
    if (fileName.isEmpty()) {
        m_filesExamined = 0;
        const WalkOutcome outcome =
            WalkFolder(root, [this](const QString& walkRoot, const QString& subfolder,
                                    const QString& name, const QFileInfo&, bool isDirectory) {
                OnFileFound(walkRoot, subfolder, name, isDirectory);
            });
        found = outcome != WalkOutcome::RootMissing;
    } else {
        found = AddSingleFile(root, fileName);
    }
    if (found && !m_entries.empty()) {
        SortEntries();
        Regroup();
    }
    std::stable_sort(m_unreadable.begin(), m_unreadable.end(),
                     [](const UnreadableRecording& a, const UnreadableRecording& b) {
                         return NameLess(a.path, b.path);
                     });
    if (m_progress)
        m_progress->ShowUnreadable(m_unreadable);
    return found;
}

void RecordingCatalogue::OnFileFound(const QString& root, const QString& subfolder,
                                     const QString& name, bool isDirectory) {
    if (isDirectory)
        return;
    const NameClass found = ClassifyName(name);
    if (found.accepted) {
        RecordingEntry entry;
        entry.name = name;
        entry.folder = root;
        entry.subfolder = subfolder;
        entry.lockFlags = found.lockFlags;
        // The read-only bit comes from the reader's open file, so the file is looked at once.
        FileStatus status;
        if (ListedNameReachesFile(root + subfolder, name))
            ParseEntry(entry, &status);
        else
            entry.readFailure = ReadFailure::NameNotUtf8;
        if (status.attributes & kAttrReadOnly)
            entry.lockFlags |= kLockM;
        if (entry.readResult == 0) {
            m_entries.push_back(std::move(entry));
        } else {
            qCDebug(lcCatalogue) << "left out, unreadable:" << JoinEntryPath(entry) << "-"
                                 << ReadFailureText(entry.readFailure);
            m_unreadable.push_back({JoinEntryPath(entry), entry.readFailure});
        }
    } else {
        qCDebug(lcCatalogue) << "left out, not a camera name:" << root + subfolder + name;
    }
    if (m_progress) {
        m_progress->SetCounter(m_filesExamined);
        m_progress->RepaintNow();
    }
    ++m_filesExamined;
}

RecordingCatalogue::NameClass RecordingCatalogue::ClassifyName(const QString& name) {
    NameClass result;
    if (name.size() < kMinNameLength)
        return result;
    for (qsizetype i = 0; i < kPrefixLength; ++i) {
        if (!IsPrefixCharacter(name[i]))
            return result;
    }
    for (qsizetype i = kPrefixLength; i < kMinNameLength; ++i) {
        if (!IsAsciiDigit(name[i]))
            return result;
    }
    if (name.size() != kAviNameLength && IsAviName(name))
        return result;
    // The camera's sidecar carries the recording's name, digits and all, but it is the track of
    // a transport stream, not a recording of its own.
    if (IsNmeaSidecarName(name))
        return result;
    result.accepted = true;
    if (HasLockCharacter(name))
        result.lockFlags |= kLockG;
    return result;
}

bool RecordingCatalogue::AddSingleFile(const QString& folderPath, const QString& name) {
    RecordingEntry entry;
    entry.folder = folderPath;
    entry.name = name;
    const QString path = JoinEntryPath(entry);
    if (!QFileInfo::exists(path))
        return false;
    if (HasLockCharacter(name))
        entry.lockFlags |= kLockG;
    FileStatus status;
    // Unlike a folder scan, a file the user picked is listed even when it cannot be read. The
    // reader turns a FIFO or a device away without opening it, so neither can block the window.
    ParseEntry(entry, &status);
    if (status.attributes & kAttrReadOnly)
        entry.lockFlags |= kLockM;
    m_entries.push_back(std::move(entry));
    return true;
}

void RecordingCatalogue::SortEntries() {
    std::stable_sort(
        m_entries.begin(), m_entries.end(),
        [](const RecordingEntry& a, const RecordingEntry& b) { return NameLess(a.name, b.name); });
}

void RecordingCatalogue::Regroup() {
    if (!m_entries.empty())
        m_entries.front().groupStart = 1;
    for (size_t i = 1; i < m_entries.size(); ++i) {
        const RecordingInfo& previous = m_entries[i - 1].info;
        const int64_t end = previous.startTime + previous.durationSeconds;
        const int64_t gap = m_entries[i].info.startTime - end;
        if (gap < -kGroupToleranceSeconds || gap > kGroupToleranceSeconds)
            m_entries[i].groupStart = 1;
    }
    BuildGroups();
    FillLists();
}

void RecordingCatalogue::BuildGroups() {
    m_groups.clear();
    m_rows.clear();
    m_rows.reserve(m_entries.size());
    RecordingGroup running;
    for (size_t i = 0; i < m_entries.size(); ++i) {
        const RecordingEntry& entry = m_entries[i];
        const auto index = static_cast<int32_t>(i);
        if (entry.groupStart == 1) {
            if (i != 0)
                m_groups.push_back(running);
            running = RecordingGroup{};
            running.number = static_cast<int32_t>(m_groups.size());
            running.first = index;
        }
        m_rows.push_back(FileRow{running.number, running.count, index, entry.info.fileSize,
                                 entry.info.durationMs, 0});
        ++running.count;
        running.totalBytes += entry.info.fileSize;
        running.totalMs += entry.info.durationMs;
        running.lockFlags |= entry.lockFlags;
    }
    if (!m_entries.empty())
        m_groups.push_back(running);
}

void RecordingCatalogue::FillLists() {
    for (const RecordingGroup& group : m_groups) {
        const RecordingInfo& first = m_entries[static_cast<size_t>(group.first)].info;
        const QString resolution = ResolutionText(first.width, first.height);
        if (m_groupList)
            m_groupList->AddGroupRow(group.number, resolution, group.totalMs, group.totalBytes,
                                     group.lockFlags, first.startTime);
    }
    if (!m_fileList)
        return;
    for (const FileRow& row : m_rows) {
        const RecordingEntry& entry = m_entries[static_cast<size_t>(row.entry)];
        m_fileList->AddFileRow(entry.name, entry.lockFlags);
    }
}

bool RecordingCatalogue::Select(int32_t n) {
    if (n < 0 || static_cast<size_t>(n) >= m_rows.size())
        return false;
    if (m_groupList && m_currentGroup >= 0)
        m_groupList->SetHighlight(m_currentGroup, false);
    if (m_fileList && m_currentEntry >= 0)
        m_fileList->SetHighlight(m_currentEntry, false);
    m_currentEntry = n;
    m_currentGroup = -1;
    for (const RecordingGroup& group : m_groups) {
        if (group.first + group.count > n) {
            m_currentGroup = group.number;
            break;
        }
    }
    if (m_groupList && m_currentGroup >= 0) {
        m_groupList->SetHighlight(m_currentGroup, true);
        m_groupList->EnsureVisible(m_currentGroup);
    }
    if (m_fileList) {
        m_fileList->SetPlayingRow(n);
        m_fileList->SetHighlight(n, true);
        m_fileList->EnsureVisible(n);
    }
    return true;
}

QString RecordingCatalogue::EntryPath(int32_t n) const {
    return JoinEntryPath(Entry(n));
}

QString RecordingCatalogue::CurrentPath() const {
    return EntryPath(m_currentEntry);
}

QString RecordingCatalogue::ResolutionText(int width, int height) {
    const auto match = std::find_if(
        kResolutionNames.begin(), kResolutionNames.end(),
        [&](const ResolutionName& row) { return row.width == width && row.height == height; });
    if (match != kResolutionNames.end())
        return QString::fromLatin1(match->name);
    if (width != 0 && height != 0)
        return QString::asprintf("%dx%d", width, height);
    return QString();
}

bool RecordingCatalogue::CreateDirectoryPath(const QString& path) {
    const QString full = WithTrailingSeparator(path);
    bool created = false;
    QDir dir;
    for (qsizetype at = full.indexOf(kPathSeparator); at >= 0;
         at = full.indexOf(kPathSeparator, at + 1)) {
        // Failures are expected on the way down (the root, folders that exist); only the
        // deepest creation decides the result.
        const QString prefix = full.left(at);
        created = !prefix.isEmpty() && dir.mkdir(prefix);
    }
    return created;
}
