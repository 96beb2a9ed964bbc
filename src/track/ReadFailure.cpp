#include "track/ReadFailure.h"

QString ReadFailureText(ReadFailure failure) {
    switch (failure) {
    case ReadFailure::None:
        return QString();
    case ReadFailure::CannotOpen:
        return QStringLiteral("cannot-open");
    case ReadFailure::EmptyFile:
        return QStringLiteral("empty");
    case ReadFailure::Truncated:
        return QStringLiteral("truncated");
    case ReadFailure::NotRecognised:
        return QStringLiteral("not-recognised");
    case ReadFailure::NoIndexBox:
        return QStringLiteral("no-index");
    case ReadFailure::DateRefused:
        return QStringLiteral("date-refused");
    case ReadFailure::ReadError:
        return QStringLiteral("read-error");
    case ReadFailure::NameNotUtf8:
        return QStringLiteral("name-not-utf8");
    case ReadFailure::NoPositionSidecar:
        return QStringLiteral("no-position-sidecar");
    }
    return QStringLiteral("unreadable");
}
