#include "ClipFixtures.h"
#include "ContainerView.h"
#include "MediaTools.h"

#include "recmaker/RecordingMaker.h"
#include "recmaker/TrackBuilder.h"
#include "track/NmeaSidecarReader.h"

#include <QFileInfo>

#include <gtest/gtest.h>

#include <cstring>
#include <map>

namespace {

// ---- the track written in every test ---------------------------------------------------------

CameraTrack SampleTrack() {
    RouteOptions options;
    options.start = QDateTime(QDate(2024, 5, 15), QTime(8, 15, 0));
    options.pointsPerSecond = 1;
    CameraTrack track;
    track.points = MakeTrackPoints({{48.15235, 11.582, 42, 17, true, 520},
                                    {48.15268, 11.58215, 45, 18, true, 521},
                                    {0, 0, 0, 0, false, 0}},
                                   options);
    for (int i = 0; i < 10; ++i)
        track.gsensor.push_back(MakeGSensorSample(-0.05 * i, 0.02, 1.0, 4));
    track.idit = "2024-05-15 08:15:00"; // 19 bytes: an AVI chunk needs a pad byte
    return track;
}

QByteArray Bytes(const std::vector<TrackPoint>& points) {
    return QByteArray(reinterpret_cast<const char*>(points.data()),
                      static_cast<qsizetype>(points.size() * sizeof(TrackPoint)));
}

QByteArray Bytes(const std::vector<GSensorSample>& samples) {
    return QByteArray(reinterpret_cast<const char*>(samples.data()),
                      static_cast<qsizetype>(samples.size() * sizeof(GSensorSample)));
}

const QByteArrayList kCameraBoxes = {"gpsa", "gsea", "IDIT", "gps0", "gsen"};

void ExpectPlaysLike(const QString& recording, const QString& clip) {
    const ToolRun probe = Probe(recording);
    EXPECT_EQ(probe.exitCode, 0);
    EXPECT_TRUE(probe.err.isEmpty()) << probe.err.toStdString();
    const ToolRun decoded = DecodeDigest(recording);
    const ToolRun original = DecodeDigest(clip);
    EXPECT_EQ(decoded.exitCode, 0);
    EXPECT_TRUE(decoded.err.isEmpty()) << decoded.err.toStdString();
    EXPECT_FALSE(original.out.isEmpty());
    EXPECT_EQ(decoded.out, original.out) << "the pictures changed";
}

// ---- MP4 ---------------------------------------------------------------------------------

struct Mp4Case {
    const char* name;
    BoxPlacement placement;
    ClipKind clip;
};

class Mp4Recording : public testing::TestWithParam<Mp4Case> {};

TEST_P(Mp4Recording, BoxesLandWhereAskedAndThePictureSurvives) {
    const Mp4Case& c = GetParam();
    const CameraTrack track = SampleTrack();
    const QString out = ScratchPath(QStringLiteral("KTR_240515-081500F-%1.MP4").arg(c.name));
    QString error;
    ASSERT_TRUE(MakeMp4Recording(Clip(c.clip), out, track, c.placement, &error))
        << error.toStdString();

    const QByteArray clip = ReadFile(Clip(c.clip));
    const QByteArray rec = ReadFile(out);
    const auto top = Boxes(rec, 0, rec.size());
    const QByteArrayList types = Types(top);
    ASSERT_EQ(types.front(), "ftyp");
    const qsizetype mdatIndex = types.indexOf("mdat");
    const qsizetype moovIndex = types.indexOf("moov");
    ASSERT_GE(mdatIndex, 0);
    ASSERT_GE(moovIndex, 0);

    std::vector<Node> cameraParent = top; // where the camera boxes were put
    qsizetype firstCamera = 0;
    switch (c.placement) {
    case BoxPlacement::BeforeMdat:
        firstCamera = mdatIndex - kCameraBoxes.size();
        break;
    case BoxPlacement::AtEnd:
        firstCamera = types.size() - kCameraBoxes.size();
        break;
    case BoxPlacement::InsideMoov: {
        const Node& moov = top[static_cast<size_t>(moovIndex)];
        cameraParent = Boxes(rec, moov.content, moov.offset + moov.size);
        firstCamera = static_cast<qsizetype>(cameraParent.size()) - kCameraBoxes.size();
        EXPECT_EQ(types.count("gps0"), 0);
        break;
    }
    }
    ASSERT_GE(firstCamera, 0);
    EXPECT_EQ(Types(cameraParent).mid(firstCamera, kCameraBoxes.size()), kCameraBoxes);

    std::map<QByteArray, QByteArray> content;
    qsizetype added = 0;
    for (qsizetype i = firstCamera; i < firstCamera + kCameraBoxes.size(); ++i) {
        const Node& n = cameraParent[static_cast<size_t>(i)];
        content[n.type] = rec.mid(n.content, n.size - 8);
        added += n.size;
    }
    EXPECT_EQ(content["gps0"], Bytes(track.points));
    EXPECT_EQ(content["gsen"], Bytes(track.gsensor));
    EXPECT_EQ(content["gpsa"], QByteArray("\x01\x00\x00\x00", 4));
    EXPECT_EQ(content["gsea"], QByteArray("\x19\x04\x00\x00", 4));
    EXPECT_EQ(content["IDIT"], track.idit);
    EXPECT_EQ(rec.size(), clip.size() + added);

    // Every chunk offset moves by what was inserted ahead of the media data, and only then.
    const auto clipTop = Boxes(clip, 0, clip.size());
    const bool mediaMoved = c.placement == BoxPlacement::BeforeMdat ||
                            (c.placement == BoxPlacement::InsideMoov &&
                             Types(clipTop).indexOf("moov") < Types(clipTop).indexOf("mdat"));
    const std::vector<uint64_t> before = ChunkOffsets(clip);
    const std::vector<uint64_t> after = ChunkOffsets(rec);
    ASSERT_FALSE(before.empty());
    ASSERT_EQ(after.size(), before.size());
    for (size_t i = 0; i < before.size(); ++i)
        EXPECT_EQ(after[i], before[i] + (mediaMoved ? added : 0)) << "chunk " << i;

    ExpectPlaysLike(out, Clip(c.clip));
}

INSTANTIATE_TEST_SUITE_P(
    Placements, Mp4Recording,
    testing::Values(Mp4Case{"before-mdat", BoxPlacement::BeforeMdat, ClipKind::Mp4MoovLast},
                    Mp4Case{"before-mdat-faststart", BoxPlacement::BeforeMdat,
                            ClipKind::Mp4MoovFirst},
                    Mp4Case{"end", BoxPlacement::AtEnd, ClipKind::Mp4MoovLast},
                    Mp4Case{"end-faststart", BoxPlacement::AtEnd, ClipKind::Mp4MoovFirst},
                    Mp4Case{"moov", BoxPlacement::InsideMoov, ClipKind::Mp4MoovLast},
                    Mp4Case{"moov-faststart", BoxPlacement::InsideMoov, ClipKind::Mp4MoovFirst}),
    [](const testing::TestParamInfo<Mp4Case>& info) {
        std::string name = info.param.name;
        std::replace(name.begin(), name.end(), '-', '_');
        return name;
    });

// ---- AVI ---------------------------------------------------------------------------------

struct AviLayout {
    std::vector<Node> top;  // inside RIFF
    std::vector<Node> hdrl; // inside the hdrl list
    const Node* movi = nullptr;
    const Node* idx1 = nullptr;
};

AviLayout ReadAvi(const QByteArray& avi) {
    AviLayout layout;
    const auto riff = Chunks(avi, 0, avi.size());
    EXPECT_EQ(riff.size(), 1u);
    EXPECT_EQ(riff.front().size, avi.size()) << "RIFF size";
    layout.top = Chunks(avi, 12, avi.size());
    const Node* hdrl = Child(layout.top, "LIST/hdrl");
    layout.movi = Child(layout.top, "LIST/movi");
    layout.idx1 = Child(layout.top, "idx1");
    EXPECT_TRUE(hdrl && layout.movi);
    if (hdrl)
        layout.hdrl = Chunks(avi, hdrl->content + 4, hdrl->offset + hdrl->size);
    return layout;
}

// Each idx1 entry must name the chunk that lies where it points.
void ExpectIndexPointsAtItsChunks(const QByteArray& avi, const AviLayout& layout, bool absolute) {
    ASSERT_NE(layout.idx1, nullptr);
    const qsizetype base = absolute ? 0 : layout.movi->content;
    int entries = 0;
    for (qsizetype at = layout.idx1->content; at + 16 <= layout.idx1->offset + layout.idx1->size;
         at += 16, ++entries)
        ASSERT_EQ(avi.mid(base + Le32(avi, at + 8), 4), avi.mid(at, 4)) << "entry " << entries;
    EXPECT_GT(entries, 0);
}

TEST(AviRecording, ChunksGoInsideTheHeaderListWithEveryListSizeFixed) {
    const CameraTrack track = SampleTrack();
    const QString out = ScratchPath(QStringLiteral("KTR_240515-081500F.AVI"));
    QString error;
    ASSERT_TRUE(MakeAviRecording(Clip(ClipKind::Avi), out, track, &error)) << error.toStdString();

    const QByteArray rec = ReadFile(out);
    const AviLayout layout = ReadAvi(rec);
    QByteArrayList ids = Types(layout.hdrl);
    ASSERT_GE(ids.size(), kCameraBoxes.size());
    EXPECT_EQ(ids.mid(ids.size() - kCameraBoxes.size()), kCameraBoxes);
    const Node* idit = Child(layout.hdrl, "IDIT");
    ASSERT_NE(idit, nullptr);
    EXPECT_EQ(idit->size % 2, 0) << "odd text must be padded inside the chunk";
    EXPECT_EQ(rec.mid(idit->content, track.idit.size()), track.idit);
    const Node* gps0 = Child(layout.hdrl, "gps0");
    ASSERT_NE(gps0, nullptr);
    EXPECT_EQ(rec.mid(gps0->content, gps0->size - 8), Bytes(track.points));

    ExpectIndexPointsAtItsChunks(rec, layout, false);
    ExpectPlaysLike(out, Clip(ClipKind::Avi));
}

TEST(AviRecording, AbsoluteIndexOffsetsMoveWithTheMovieData) {
    QByteArray avi = ReadFile(Clip(ClipKind::Avi));
    const AviLayout clipLayout = ReadAvi(avi);
    ASSERT_NE(clipLayout.idx1, nullptr);
    for (qsizetype at = clipLayout.idx1->content;
         at + 16 <= clipLayout.idx1->offset + clipLayout.idx1->size; at += 16) {
        const uint32_t absolute =
            Le32(avi, at + 8) + static_cast<uint32_t>(clipLayout.movi->content);
        for (int i = 0; i < 4; ++i)
            avi[at + 8 + i] = static_cast<char>(absolute >> (8 * i));
    }
    ExpectIndexPointsAtItsChunks(avi, clipLayout, true);
    const QString absoluteClip = ScratchPath(QStringLiteral("absolute-index.avi"));
    WriteFile(absoluteClip, avi);

    QString error;
    ASSERT_TRUE(AddCameraChunks(avi, SampleTrack(), &error)) << error.toStdString();
    ExpectIndexPointsAtItsChunks(avi, ReadAvi(avi), true);
    const QString out = ScratchPath(QStringLiteral("absolute-index-rec.avi"));
    WriteFile(out, avi);
    ExpectPlaysLike(out, absoluteClip);
}

// ---- TS ----------------------------------------------------------------------------------

QByteArrayList StartingWith(const QByteArrayList& lines, const char* prefix) {
    QByteArrayList found;
    for (const QByteArray& line : lines)
        if (line.startsWith(prefix))
            found << line;
    return found;
}

int NmeaChecksum(const QByteArray& sentence) {
    int sum = 0;
    for (char c : sentence.mid(1, sentence.indexOf('*') - 1))
        sum ^= static_cast<uint8_t>(c);
    return sum;
}

TEST(TsRecording, CopiesTheStreamAndWritesTheSharedSidecar) {
    const CameraTrack track = SampleTrack();
    const QString out = ScratchPath(QStringLiteral("KTR_240515-081500F.TS"));
    QString error;
    ASSERT_TRUE(MakeTsRecording(Clip(ClipKind::Ts), out, track, &error)) << error.toStdString();
    EXPECT_EQ(ReadFile(out), ReadFile(Clip(ClipKind::Ts)));

    const QString sidecar = ScratchPath(QStringLiteral("KTR_240515-081500.NMEA"));
    EXPECT_EQ(NmeaSidecarPath(out), sidecar);
    const QByteArrayList lines = ReadFile(sidecar).split('\n');
    ASSERT_EQ(lines.size(), 3 + 10 + 1); // three positions, ten samples, nothing after the last
    EXPECT_TRUE(lines.back().isEmpty());
    EXPECT_EQ(lines[0],
              "$GNRMC,081500.00,A,4809.14100,N,01134.92000,E,22.6782,18.0,150524,,,A*74\r");
    EXPECT_EQ(lines[1], "$GSENSORD,0.000,0.03125,1.000\r");
    EXPECT_EQ(StartingWith(lines, "$GSENSORD").size(), 10);
    EXPECT_EQ(StartingWith(lines, "$GNRMC").size(), 3);
    EXPECT_TRUE(lines[12].startsWith("$GNRMC,,V,,,,,,,,,,N*")) << lines[12].toStdString();
    for (const QByteArray& line : StartingWith(lines, "$GNRMC"))
        EXPECT_EQ(NmeaChecksum(line), line.mid(line.indexOf('*') + 1, 2).toInt(nullptr, 16))
            << line.toStdString();
}

TEST(TsRecording, KnotsGiveBackTheStoredSpeedWhenTheReaderTruncates) {
    CameraTrack track;
    for (uint16_t kmh : {0, 1, 2, 13, 50, 99, 100, 130, 250, 1000, 65535}) {
        TrackPoint point{};
        point.speedKmh = kmh;
        point.flags = TrackPoint::kFixValid;
        track.points.push_back(point);
    }
    const QByteArrayList lines = NmeaSidecarText(track).split('\n');
    for (size_t i = 0; i < track.points.size(); ++i) {
        const QByteArray knots = lines[static_cast<qsizetype>(i)].split(',').value(7);
        EXPECT_EQ(static_cast<uint16_t>(static_cast<int32_t>(knots.toDouble() * 1.852)),
                  track.points[i].speedKmh)
            << knots.toStdString();
    }
}

// ---- what cannot be written ----------------------------------------------------------------

QByteArray Mp4WithOpenEndedMdat() {
    QByteArray mp4 = ReadFile(Clip(ClipKind::Mp4MoovFirst));
    const auto top = Boxes(mp4, 0, mp4.size());
    const Node* mdat = Child(top, "mdat");
    for (int i = 0; i < 4; ++i)
        mp4[mdat->offset + i] = 0; // size 0: runs to the end of the file
    return mp4;
}

QByteArray AviWithOpenDmlIndex() {
    QByteArray avi = ReadFile(Clip(ClipKind::Avi));
    const qsizetype junk = avi.indexOf("JUNK"); // the space ffmpeg keeps for the super index
    avi.replace(junk, 4, "indx");
    return avi;
}

TEST(RecordingMaker, RefusesClipsItCannotRewriteAndLeavesNoFile) {
    const QString mp4WithoutEnd = ScratchPath(QStringLiteral("open-ended.mp4"));
    WriteFile(mp4WithoutEnd, Mp4WithOpenEndedMdat());
    const QString aviWithIndx = ScratchPath(QStringLiteral("odml.avi"));
    WriteFile(aviWithIndx, AviWithOpenDmlIndex());
    const QString missing = ScratchPath(QStringLiteral("no-such-clip.mp4"));

    using Maker = bool (*)(const QString&, const QString&, const CameraTrack&, QString*);
    const Maker mp4 = [](const QString& c, const QString& o, const CameraTrack& t, QString* e) {
        return MakeMp4Recording(c, o, t, BoxPlacement::AtEnd, e);
    };
    const struct {
        const char* what;
        Maker make;
        QString clip;
        const char* reason;
    } cases[] = {
        {"avi as mp4", mp4, Clip(ClipKind::Avi), "ftyp"},
        {"ts as mp4", mp4, Clip(ClipKind::Ts), "ftyp"},
        {"mdat to the end", mp4, mp4WithoutEnd, "end of the file"},
        {"missing clip", mp4, missing, "cannot read"},
        {"mp4 as avi", MakeAviRecording, Clip(ClipKind::Mp4MoovLast), "RIFF"},
        {"OpenDML index", MakeAviRecording, aviWithIndx, "OpenDML"},
        {"mp4 as ts", MakeTsRecording, Clip(ClipKind::Mp4MoovLast), "transport stream"},
    };
    for (const auto& c : cases) {
        const QString out = ScratchPath(QStringLiteral("refused.out"));
        QString error;
        EXPECT_FALSE(c.make(c.clip, out, SampleTrack(), &error)) << c.what;
        EXPECT_TRUE(error.contains(QLatin1String(c.reason)))
            << c.what << ": " << error.toStdString();
        EXPECT_FALSE(QFileInfo::exists(out)) << c.what;
        EXPECT_FALSE(QFileInfo::exists(NmeaSidecarPath(out))) << c.what;
    }
}

} // namespace
