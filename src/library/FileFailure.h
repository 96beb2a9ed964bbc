#pragma once

#include <QString>

// A file that an operation could not change, and the system's reason.
struct FileFailure {
    QString path;
    QString reason;
};
