#pragma once

#include <QString>

// The camera marks a recording's channel by the last letter of the file's base name, 'F' for
// the front camera and 'R' for the rear one, and often keeps each channel in a folder whose
// name ends in the same letter (…/F/20240101_120000F.MP4 beside …/R/20240101_120000R.MP4).
// These find the file of the wanted channel for any file of a recording: the path itself
// when it already is that file, or the empty string when no such file exists.
QString FrontCompanion(const QString& path);
QString RearCompanion(const QString& path);
