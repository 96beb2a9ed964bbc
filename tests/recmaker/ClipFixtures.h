#pragma once

#include "recmaker/ClipMaker.h"

#include <QByteArray>
#include <QString>

// Small ffmpeg clips (320x240, 2 s, 25 frames/s), made once per test run and shared.
constexpr int kClipWidth = 320;
constexpr int kClipHeight = 240;
constexpr int kClipSeconds = 2;

enum class ClipKind { Mp4MoovLast, Mp4MoovFirst, Avi, Ts };
QString Clip(ClipKind kind);

// A fresh path in the run's scratch folder.
QString ScratchPath(const QString& name);

QByteArray ReadFile(const QString& path);
void WriteFile(const QString& path, const QByteArray& bytes);
