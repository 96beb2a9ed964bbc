#pragma once

#include <QString>

// A card of two consecutive paired recordings whose every frame carries its number counted
// from the start of the drive, the same on the front and the rear picture (over different
// test patterns). Made once into a folder and taken from there while it is complete.
struct SyncCard {
    static constexpr int kRecordingSeconds = 90;
    static constexpr int kFrameRate = 25;
    static constexpr int kWidth = 1280;
    static constexpr int kHeight = 720;
    static constexpr int kRecordings = 2;

    QString folder;
    QString front[kRecordings];
    QString rear[kRecordings];
};

// Fills *card for `folder`, making the recordings first unless a complete card is there.
bool PrepareSyncCard(const QString& folder, SyncCard* card, QString* error);
