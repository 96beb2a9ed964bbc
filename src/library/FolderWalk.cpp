#include "library/FolderWalk.h"

#include "library/CatalogueLog.h"
#include "platform/UndecodableNames.h"

#include <QDir>
#include <QDirIterator>

#include <memory>
#include <vector>

namespace {

// No QDir::Hidden: hidden items are neither reported nor entered. No QDir::System: FIFOs,
// sockets and devices are never handed to a reader that would block on them or read a device.
constexpr QDir::Filters kListing = QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot;

// Qt's listing drops a name that is not UTF-8 without a word; such files are reported first,
// under their decoded names, so that the callback can tell why they cannot be read.
void ReportUndecodableFiles(const QString& base, const QString& subfolder,
                            const WalkCallback& callback) {
    for (const QString& name : UndecodableFileNames(base + subfolder))
        callback(base, subfolder, name, QFileInfo(base + subfolder + name), false);
}

struct WalkLevel {
    std::unique_ptr<QDirIterator> listing;
    QString subfolder;
};

} // namespace

WalkOutcome WalkFolder(const QString& root, const WalkCallback& callback) {
    if (!QFileInfo::exists(root))
        return WalkOutcome::RootMissing;
    const QString base = WithTrailingSeparator(root);

    // levels[0] lists the root; every further level is one directory below its parent.
    std::vector<WalkLevel> levels;
    levels.reserve(kMaxWalkDepth + 1);
    levels.push_back({std::make_unique<QDirIterator>(base, kListing), QString()});
    ReportUndecodableFiles(base, QString(), callback);

    while (!levels.empty()) {
        WalkLevel& level = levels.back();
        // A listing that cannot be opened or fails part-way simply reports no more items.
        if (!level.listing->hasNext()) {
            qCDebug(lcCatalogue) << "walk: end of" << base + level.subfolder;
            levels.pop_back();
            continue;
        }
        level.listing->next();
        const QFileInfo item = level.listing->fileInfo();
        const QString name = item.fileName();
        if (item.isDir()) {
            // A link to a directory could lead back up the tree and multiply every entry.
            if (item.isSymLink() || static_cast<int>(levels.size()) > kMaxWalkDepth) {
                qCDebug(lcCatalogue) << "walk: not entered:" << item.filePath()
                                     << (item.isSymLink() ? "(a link)" : "(too deep)");
                continue;
            }
            callback(base, level.subfolder, name, item, true);
            QString subfolder = level.subfolder + name + kPathSeparator;
            auto listing = std::make_unique<QDirIterator>(base + subfolder, kListing);
            levels.push_back({std::move(listing), subfolder});
            ReportUndecodableFiles(base, subfolder, callback);
        } else {
            callback(base, level.subfolder, name, item, false);
        }
    }
    return WalkOutcome::Done;
}
