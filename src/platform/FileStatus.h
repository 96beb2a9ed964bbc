#pragma once

#include <QString>

#include <cstdint>

// Attribute bits of FileStatus::attributes, in the camera software's numbering.
enum FileAttribute : uint8_t {
    kAttrReadOnly = 0x01,
    kAttrHidden = 0x02,
    kAttrSystem = 0x04,
    kAttrDirectory = 0x10,
    kAttrArchive = 0x20,
};

// What is known about a file itself (not its content).
struct FileStatus {
    int64_t creationTime = 0; // seconds since 1970
    int64_t modificationTime = 0;
    int64_t accessTime = 0;
    uint64_t size = 0;
    uint8_t attributes = 0;
    QString fullPath;
};

// Fills status for path. Read-only means the owner may not write (decided from the mode bits, so that it also holds
// when running as root); hidden means the name starts with a dot. Returns false when the path
// does not exist.
bool QueryFileStatus(const QString& path, FileStatus& status);

struct stat;

// Fills status for path from what stat or fstat said about it, under the same rules.
void FillFileStatus(const QString& path, const struct stat& st, FileStatus& status);

// Just the attribute byte, or 0 when the path does not exist.
uint8_t QueryFileAttributes(const QString& path);
