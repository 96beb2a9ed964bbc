#include "library/RecordingCatalogue.h"

#include "CameraFixtures.h"
#include "CatalogueRecorders.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>

namespace {

class RecordingMap : public MapScriptSink {
public:
    void RunScript(const QString& script) override { scripts << script; }
    QStringList scripts;
};

std::string PointBytes(const TrackPoint& point) {
    std::string raw(sizeof point, '\0');
    std::memcpy(raw.data(), &point, sizeof point);
    return raw;
}

// An index that names no entry must leave the loaded track, the map and the curve alone:
// the playback clock keeps reading the track of the recording that plays.
TEST(CatalogueLoadTrack, IndexOutsideTheEntriesChangesNothing) {
    QTemporaryDir dir;
    std::string points;
    for (int i = 0; i < 3; ++i)
        points += PointBytes(fixtures::Point(21, 5, 4, 10, 20, static_cast<uint8_t>(i)));
    bytes::WriteFile(dir.filePath(QStringLiteral("ABCD0001.MP4")).toStdString(),
                     fixtures::Ftyp() + bytes::Box("gpsa", fixtures::Rate(1)) +
                         bytes::Box("gps0", points) + fixtures::Moov(1000, 3000, 1280, 720));

    RecordingCurve curve;
    RecordingMap map;
    RecordingCatalogue catalogue;
    catalogue.SetCurve(&curve);
    catalogue.SetMap(&map);
    ASSERT_TRUE(catalogue.Scan(dir.path(), QString()));
    ASSERT_EQ(catalogue.EntryCount(), 1);
    ASSERT_EQ(catalogue.LoadTrack(0), 1);
    ASSERT_EQ(catalogue.Track().pointCount(), 3u);

    const QStringList scriptsBefore = map.scripts;
    const int clearsBefore = curve.clears;
    for (const int32_t index : {-1, 1, 1000}) {
        EXPECT_EQ(catalogue.LoadTrack(index), 0) << index;
        EXPECT_EQ(catalogue.Track().entryIndex, 0);
        EXPECT_EQ(catalogue.Track().pointCount(), 3u);
        EXPECT_DOUBLE_EQ(catalogue.Track().points[2].latitudeNmea, 4807.038);
        EXPECT_EQ(catalogue.currentEntry(), 0);
    }
    EXPECT_EQ(map.scripts, scriptsBefore);
    EXPECT_EQ(curve.clears, clearsBefore);
}

} // namespace
