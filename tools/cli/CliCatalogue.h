#pragma once

#include <QString>

class RecordingCatalogue;

// How every command turns its PATH into a catalogue: a regular file is catalogued on its own
// (root = its folder), anything else is scanned as a folder tree. Returns what Scan returned.
bool CataloguePath(RecordingCatalogue& catalogue, const QString& path);
