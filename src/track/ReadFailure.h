#pragma once

#include <QString>

// Why a recording could not be read, for callers that list unreadable recordings.
enum class ReadFailure {
    None,
    CannotOpen, // missing, not a regular file, or the open was refused
    EmptyFile,
    Truncated,         // a read ran past the end, or the movie data ends beyond it
    NotRecognised,     // no "ftyp" box first / not a RIFF file
    NoIndexBox,        // no usable movie or stream header: picture size or duration unknown
    DateRefused,       // a recording date the local-time conversion refuses
    ReadError,         // the file system failed a seek or a read
    NameNotUtf8,       // the listed name is not UTF-8, so no path the program builds reaches it
    NoPositionSidecar, // a transport stream whose sidecar is missing or holds no usable fix
};

// A short stable key for the reason, e.g. "no-index", as kestrola-cli prints it; empty for
// None.
QString ReadFailureText(ReadFailure failure);
