#include "library/CatalogueViews.h"
#include "library/CopyJob.h"
#include "library/RecordingCatalogue.h"
#include "platform/FileChange.h"
#include "platform/PathText.h"

#include <QFileInfo>

namespace {

constexpr QChar kUnlockedCharacter = QLatin1Char('_');

QString EntryDirectory(const RecordingEntry& entry) {
    return WithTrailingSeparator(entry.folder) + entry.subfolder;
}

// Clears the read-only attribute first, then renames a camera-locked file so that a later
// scan no longer sees it as locked. A change that fails leaves its flag set.
void UnlockEntry(RecordingEntry& entry, std::vector<FileFailure>& failures) {
    const QString directory = EntryDirectory(entry);
    if (entry.lockFlags & kLockM) {
        const QString reason = ClearReadOnly(directory + entry.name);
        if (reason.isEmpty())
            entry.lockFlags &= ~kLockM;
        else
            failures.push_back({directory + entry.name, reason});
    }
    if ((entry.lockFlags & kLockG) && entry.name.size() > kLockCharacterPosition) {
        QString unlocked = entry.name;
        unlocked[kLockCharacterPosition] = kUnlockedCharacter;
        const QString reason = RenameWithoutReplacing(directory + entry.name, directory + unlocked);
        if (reason.isEmpty()) {
            entry.name = unlocked;
            entry.lockFlags &= ~kLockG;
        } else {
            failures.push_back({directory + entry.name, reason});
        }
    }
}

} // namespace

bool RecordingCatalogue::CollectChecks() {
    bool anyTicked = false;
    for (RecordingGroup& group : m_groups) {
        group.checked = m_groupList && m_groupList->IsChecked(group.number) ? 1 : 0;
        anyTicked = anyTicked || group.checked == 1;
    }
    return anyTicked;
}

bool RecordingCatalogue::UnlockChecked(std::vector<FileFailure>& failures) {
    if (!CollectChecks())
        return false;
    for (RecordingGroup& group : m_groups) {
        if (group.checked != 1)
            continue;
        // What stays locked after a failure still shows on the group.
        group.lockFlags = 0;
        for (int32_t n = group.first; n < group.first + group.count; ++n) {
            RecordingEntry& entry = m_entries[static_cast<size_t>(n)];
            UnlockEntry(entry, failures);
            group.lockFlags |= entry.lockFlags;
        }
    }
    if (m_groupList)
        m_groupList->DeleteAllItems();
    if (m_fileList)
        m_fileList->DeleteAllItems();
    FillLists();
    return true;
}

bool RecordingCatalogue::DeleteChecked(std::vector<FileFailure>& failures) {
    if (!CollectChecks())
        return false;
    bool removedAny = false;
    // Backwards, so that the indices still to visit stay valid as entries are removed.
    for (auto group = m_groups.rbegin(); group != m_groups.rend(); ++group) {
        if (group->checked != 1)
            continue;
        for (int32_t n = group->first + group->count - 1; n >= group->first; --n) {
            const QString path = EntryPath(n);
            // Only the deletion decides; a read-only file is deleted like any other.
            ClearReadOnly(path);
            if (const QString reason = RemoveFile(path); !reason.isEmpty()) {
                failures.push_back({path, reason});
                continue;
            }
            m_entries.erase(m_entries.begin() + n);
            m_rows.erase(m_rows.begin() + n);
            // Nothing may go on naming a removed entry, nor an entry that moved down.
            if (m_currentEntry == n)
                m_currentEntry = -1;
            else if (m_currentEntry > n)
                --m_currentEntry;
            removedAny = true;
        }
    }
    if (!removedAny)
        return true;
    m_groups.clear();
    m_rows.clear();
    // The refilled lists highlight no group.
    m_currentGroup = -1;
    if (m_groupList)
        m_groupList->DeleteAllItems();
    if (m_fileList)
        m_fileList->DeleteAllItems();
    Regroup();
    return true;
}

bool RecordingCatalogue::CopyChecked(const QString& destination,
                                     const OverwriteQuestion& confirmOverwrite, CopyJob& job) {
    if (!CollectChecks())
        return false;
    std::vector<CopyItem> items;
    for (const RecordingGroup& group : m_groups) {
        if (group.checked != 1)
            continue;
        for (int32_t n = group.first; n < group.first + group.count; ++n) {
            const RecordingEntry& entry = Entry(n);
            const QString directory = WithTrailingSeparator(destination) + entry.subfolder;
            // A folder that cannot be made shows as the copy's own failure.
            if (!QFileInfo::exists(directory))
                CreateDirectoryPath(directory);
            CopyItem item{EntryPath(n), directory + entry.name};
            item.skipped = QFileInfo::exists(item.target) && !confirmOverwrite(item.target);
            items.push_back(std::move(item));
        }
    }
    job.Start(std::move(items));
    return true;
}
