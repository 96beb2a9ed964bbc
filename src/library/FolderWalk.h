#pragma once

#include "platform/PathText.h"

#include <QFileInfo>
#include <QString>

#include <functional>

// The walk never descends more than this many directories below its root.
inline constexpr int kMaxWalkDepth = 40;

enum class WalkOutcome {
    Done,
    RootMissing,
};

// Called for every item the walk meets. root ends with a separator; subfolder is empty or a
// chain of names each followed by a separator; item is what the listing gave for name.
using WalkCallback =
    std::function<void(const QString& root, const QString& subfolder, const QString& name,
                       const QFileInfo& item, bool isDirectory)>;

// Visits the tree under root depth first, in the order the file system lists each directory.
// Hidden items, special files and symbolic links to directories are skipped, and a directory
// that cannot be listed ends its own branch only. Directories below kMaxWalkDepth are not
// entered. A file whose name is not UTF-8 is reported under its name decoded with U+FFFD, which
// reaches no file (see ListedNameReachesFile).
WalkOutcome WalkFolder(const QString& root, const WalkCallback& callback);
