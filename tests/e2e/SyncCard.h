#pragma once

#include <QString>

#include <vector>

// A card of two consecutive paired recordings whose every frame carries its number counted
// from the start of the drive, the same on the front and the rear picture (over different
// test patterns). Made once into a folder and taken from there while it is complete.
struct SyncCardShape {
    int recordingSeconds = 90;
    int width = 1280;
    int height = 720;
    int recordings = 2;
};

struct SyncCard {
    static constexpr int kFrameRate = 25;

    SyncCardShape shape;
    QString folder;
    std::vector<QString> front;
    std::vector<QString> rear;
};

// Fills *card for `folder`, making the recordings first unless a complete card of that shape
// is there.
bool PrepareSyncCard(const QString& folder, const SyncCardShape& shape, SyncCard* card,
                     QString* error);
