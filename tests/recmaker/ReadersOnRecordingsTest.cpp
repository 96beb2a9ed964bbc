// The track readers run on recordings written by the maker: what one writes, the other finds.
#include "ClipFixtures.h"
#include "ContainerView.h"

#include "recmaker/RecordingMaker.h"
#include "recmaker/TrackBuilder.h"
#include "track/CKtrVideoParser.h"
#include "track/NmeaSidecarReader.h"

#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

const QDateTime kStart(QDate(2024, 5, 15), QTime(8, 15, 0));

// Three points without a date (as before the receiver has one), then dated ones: the reader
// dates the recording by point 3 minus 3 s, which is the start again.
CameraTrack TrackWithLateDate() {
    RouteOptions options;
    options.start = kStart;
    options.undatedPoints = 3;
    std::vector<RoutePoint> route;
    for (int i = 0; i < 6; ++i)
        route.push_back({48.15 + i * 1e-4, 11.58, 40.0 + i, 17, true, 520});
    CameraTrack track;
    track.points = MakeTrackPoints(route, options);
    for (int i = 0; i < 100; ++i)
        track.gsensor.push_back(MakeGSensorSample(0.01 * (i % 7), -0.02, 1.0, 4));
    return track;
}

RecordingInfo Read(const QString& path) {
    RecordingInfo info;
    const auto reader = CreateReaderForName(QFileInfo(path).fileName());
    reader->SetInfoTarget(&info);
    EXPECT_EQ(reader->Parse(path), 0) << path.toStdString();
    return info;
}

void ExpectTrackAt(const RecordingInfo& info, const Node& gps0, const Node& gsen,
                   const CameraTrack& track, const QString& path) {
    EXPECT_EQ(info.width, kClipWidth);
    EXPECT_EQ(info.height, kClipHeight);
    EXPECT_EQ(info.durationMs, kClipSeconds * 1000u);
    EXPECT_EQ(info.fileSize, static_cast<uint64_t>(QFileInfo(path).size()));
    EXPECT_EQ(info.gpsOffset, static_cast<uint64_t>(gps0.content));
    EXPECT_EQ(info.gpsSize, track.points.size() * sizeof(TrackPoint));
    EXPECT_EQ(info.gsensorOffset, static_cast<uint64_t>(gsen.content));
    EXPECT_EQ(info.gsensorSize, track.gsensor.size() * sizeof(GSensorSample));
    EXPECT_EQ(info.gpsRate[0], track.gpsRate[0]);
    EXPECT_EQ(info.gsensorRate[0], track.gsensorRate[0]);
    EXPECT_EQ(info.gsensorRate[1], track.gsensorRate[1]);
}

TEST(ReadersOnRecordings, Mp4ReaderFindsTheBoxesWhereverTheyAre) {
    const struct {
        const char* name;
        BoxPlacement placement;
        ClipKind clip;
        bool inMoov;
    } cases[] = {
        {"before-mdat", BoxPlacement::BeforeMdat, ClipKind::Mp4MoovLast, false},
        {"before-mdat-faststart", BoxPlacement::BeforeMdat, ClipKind::Mp4MoovFirst, false},
        {"end", BoxPlacement::AtEnd, ClipKind::Mp4MoovLast, false},
        {"moov", BoxPlacement::InsideMoov, ClipKind::Mp4MoovLast, true},
        {"moov-faststart", BoxPlacement::InsideMoov, ClipKind::Mp4MoovFirst, true},
    };
    const CameraTrack track = TrackWithLateDate();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString out = ScratchPath(QStringLiteral("read-%1.MP4").arg(c.name));
        QString error;
        ASSERT_TRUE(MakeMp4Recording(Clip(c.clip), out, track, c.placement, &error))
            << error.toStdString();
        const QByteArray rec = ReadFile(out);
        const auto gps0 = c.inMoov ? FindPath(rec, {"moov", "gps0"}) : FindPath(rec, {"gps0"});
        const auto gsen = c.inMoov ? FindPath(rec, {"moov", "gsen"}) : FindPath(rec, {"gsen"});
        ASSERT_TRUE(gps0 && gsen);

        const RecordingInfo info = Read(out);
        ExpectTrackAt(info, *gps0, *gsen, track, out);
        EXPECT_EQ(info.startTime, kStart.toSecsSinceEpoch());
    }
}

TEST(ReadersOnRecordings, Mp4DateTextWinsOverThePoints) {
    CameraTrack track = TrackWithLateDate();
    track.idit = "2023-01-02 03:04:05";
    const QString out = ScratchPath(QStringLiteral("read-idit.MP4"));
    ASSERT_TRUE(MakeMp4Recording(Clip(ClipKind::Mp4MoovLast), out, track));
    EXPECT_EQ(Read(out).startTime, QDateTime(QDate(2023, 1, 2), QTime(3, 4, 5)).toSecsSinceEpoch());
}

TEST(ReadersOnRecordings, AviReaderFindsTheChunksInTheHeaderList) {
    const CameraTrack track = TrackWithLateDate();
    const QString out = ScratchPath(QStringLiteral("KTR_240515-081500F-read.AVI"));
    QString error;
    ASSERT_TRUE(MakeAviRecording(Clip(ClipKind::Avi), out, track, &error)) << error.toStdString();
    const QByteArray rec = ReadFile(out);
    const auto top = Chunks(rec, 12, rec.size());
    const Node* hdrl = Child(top, "LIST/hdrl");
    ASSERT_NE(hdrl, nullptr);
    const auto inside = Chunks(rec, hdrl->content + 4, hdrl->offset + hdrl->size);
    ASSERT_TRUE(Child(inside, "gps0") && Child(inside, "gsen"));

    const RecordingInfo info = Read(out);
    ExpectTrackAt(info, *Child(inside, "gps0"), *Child(inside, "gsen"), track, out);
    EXPECT_EQ(info.durationSeconds, kClipSeconds);
    EXPECT_EQ(info.startTime, kStart.toSecsSinceEpoch());
}

class SampleRecorder : public GSensorSampleSink {
public:
    void AddSample(const GSensorSample& sample) override { samples.push_back(sample); }
    std::vector<GSensorSample> samples;
};

TEST(ReadersOnRecordings, SidecarReaderGetsBackThePointsAndSamples) {
    CameraTrack track = TrackWithLateDate();
    track.points[4].flags = 0; // a moment without a fix
    const QString out = ScratchPath(QStringLiteral("KTR_240515-081500F.TS"));
    ASSERT_TRUE(MakeTsRecording(Clip(ClipKind::Ts), out, track));

    SampleRecorder recorder;
    // The rear file of the same recording finds the same sidecar.
    const NmeaSidecarTrack read =
        ReadNmeaSidecar(ScratchPath(QStringLiteral("KTR_240515-081500R.TS")), &recorder);
    ASSERT_EQ(read.points.size(), track.points.size());
    for (size_t i = 0; i < track.points.size(); ++i) {
        const TrackPoint& written = track.points[i];
        const TrackPoint& got = read.points[i];
        EXPECT_EQ(got.fixValid(), written.fixValid()) << i;
        if (!written.fixValid())
            continue;
        EXPECT_NEAR(got.latitudeNmea, written.latitudeNmea, 1e-5) << i;
        EXPECT_NEAR(got.longitudeNmea, written.longitudeNmea, 1e-5) << i;
        EXPECT_EQ(got.speedKmh, written.speedKmh) << i;
    }
    ASSERT_EQ(read.gsensorCount, static_cast<int32_t>(track.gsensor.size()));
    ASSERT_EQ(recorder.samples.size(), track.gsensor.size());
    // The sidecar carries g; the reader scales by 512 (1 g at full scale 4 is 32 counts here).
    for (size_t i = 0; i < track.gsensor.size(); ++i) {
        EXPECT_EQ(recorder.samples[i].x, track.gsensor[i].x * 16) << i;
        EXPECT_EQ(recorder.samples[i].z, 512) << i;
    }
}

} // namespace
