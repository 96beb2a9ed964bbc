#pragma once

#include <QByteArray>
#include <QString>

// Replaces the file at path with data in one step: readers see the old file or the whole new
// one, never a cut-off one, also when the disk fills up half-way. False (old file kept) when
// anything fails.
bool WriteFileAtomically(const QString& path, const QByteArray& data);
