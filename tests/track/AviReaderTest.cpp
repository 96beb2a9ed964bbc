#include "ReaderTestSupport.h"

namespace {

using bytes::Chunk;
using bytes::ChunkWithSize;
using bytes::List;
using bytes::Raw;
using fixtures::Avi;
using fixtures::Point;
using fixtures::UndatedPoint;

const TrackPoint kDated = Point(21, 5, 4, 10, 20, 30);

using AviReader = ReaderTest;

TEST_F(AviReader, StandardRecording) {
    const std::string file = Avi(33366, 1800, 1280, 720);
    RecordingInfo info;
    ASSERT_EQ(ReadAvi(file, info), 0);
    EXPECT_EQ(info.durationMs, 60058u);
    EXPECT_EQ(info.durationSeconds, 60);
    EXPECT_EQ(info.width, 1280);
    EXPECT_EQ(info.height, 720);
    EXPECT_EQ(info.fileSize, file.size());
    EXPECT_EQ(info.startTime, 0);
    EXPECT_FALSE(info.hasGps());
}

TEST_F(AviReader, CameraChunks) {
    const std::string gps0 = Chunk("gps0", Raw(UndatedPoint()) + Raw(UndatedPoint()) +
                                               Raw(UndatedPoint()) + Raw(kDated));
    const std::string gsen = Chunk("gsen", bytes::Zeros(24));
    const std::string hdrlExtra = Chunk("gpsa", fixtures::Rate(1, 9, 9, 9)) +
                                  Chunk("gsea", fixtures::Rate(50, 2)) + gps0 + gsen;
    const std::string file = Avi(33366, 1800, 1280, 720, hdrlExtra);
    RecordingInfo info;
    ASSERT_EQ(ReadAvi(file, info), 0);
    EXPECT_EQ(info.gpsSize, 128u);
    EXPECT_EQ(file.substr(info.gpsOffset, 32), Raw(UndatedPoint()));
    EXPECT_EQ(info.gsensorSize, 24u);
    EXPECT_EQ(file.substr(info.gsensorOffset - 8, 4), "gsen");
    EXPECT_EQ(info.gpsRate[0], 1);
    EXPECT_EQ(info.gpsRate[3], 9);
    EXPECT_EQ(info.gsensorRate[0], 50);
    EXPECT_EQ(info.gsensorRate[1], 2);
    EXPECT_EQ(info.startTime, kMay4Utc - 3);
}

TEST_F(AviReader, WhereChunksAreFound) {
    const std::string gps0 = Chunk("gps0", Raw(kDated));
    struct Case {
        const char* what;
        std::string hdrlExtra, afterHdrl;
        bool found;
    } cases[] = {
        {"inside hdrl", gps0, "", true},
        {"at the top level", "", gps0, true},
        {"inside an INFO list", "", List("INFO", gps0), false},
        {"inside a JUNK chunk", "", Chunk("JUNK", gps0), false},
        // Unknown chunks are looked at 4 bytes at a time, so their data can hide IDs.
        {"inside the data of an unknown chunk", Chunk("strd", "xxxx" + gps0), "", true},
    };
    for (const Case& c : cases) {
        RecordingInfo info;
        ASSERT_EQ(ReadAvi(Avi(33366, 1800, 1280, 720, c.hdrlExtra, c.afterHdrl), info), 0)
            << c.what;
        EXPECT_EQ(info.hasGps(), c.found) << c.what;
        EXPECT_EQ(info.startTime, c.found ? kMay4Utc : 0) << c.what;
    }
}

TEST_F(AviReader, UnknownChunkDataTakenAsGpsa) {
    RecordingInfo info;
    ASSERT_EQ(ReadAvi(Avi(33366, 1800, 1280, 720,
                          Chunk("vprp", "gpsa" + bytes::LE32(4) + fixtures::Rate(5))),
                      info),
              0);
    EXPECT_EQ(info.gpsRate[0], 5);
}

TEST_F(AviReader, PictureSize) {
    struct Case {
        const char* what;
        std::string file;
        int32_t result;
        uint16_t width, height;
    } cases[] = {
        {"top-down picture keeps the low 16 bits of its negative height",
         Avi(33366, 1800, 1280, -720), 0, 1280, 64816},
        {"audio stream before the video stream",
         Chunk("RIFF",
               "AVI " + List("hdrl", fixtures::Avih(40000, 25) +
                                         fixtures::Strl("auds", bytes::Zeros(18)) +
                                         fixtures::Strl("vids", fixtures::VideoFormat(640, 480)))),
         0, 640, 480},
        {"stream header of 72 bytes: the format is looked for 8 bytes early",
         Chunk("RIFF",
               "AVI " + List("hdrl",
                             fixtures::Avih(40000, 25) +
                                 List("strl", Chunk("strh", "vids" + bytes::Zeros(68)) +
                                                  Chunk("strf", fixtures::VideoFormat(640, 480))))),
         -1, 0, 0},
        {"short video format: missing fields read as 0",
         Chunk("RIFF", "AVI " + List("hdrl", fixtures::Avih(40000, 25) +
                                                 fixtures::Strl("vids", bytes::LE32(40) +
                                                                            bytes::LE32(640)))),
         -1, 0, 0},
    };
    for (const Case& c : cases) {
        RecordingInfo info;
        ASSERT_EQ(ReadAvi(c.file, info), c.result) << c.what;
        if (c.result == 0) {
            EXPECT_EQ(info.width, c.width) << c.what;
            EXPECT_EQ(info.height, c.height) << c.what;
        }
    }
}

TEST_F(AviReader, StartTimeRules) {
    const std::string points = Chunk("gps0", Raw(UndatedPoint()) + Raw(UndatedPoint()) +
                                                 Raw(UndatedPoint()) + Raw(kDated));
    struct Case {
        const char* what;
        std::string hdrlExtra;
        int64_t expected;
    } cases[] = {
        {"ten points per second", Chunk("gpsa", fixtures::Rate(10)) + points, kMay4Utc},
        {"no rate: nothing subtracted", points, kMay4Utc},
        {"IDIT wins", Chunk("IDIT", "2022-01-02 03:04:05") + points, 1641092645},
        {"long IDIT keeps its first characters",
         Chunk("IDIT", "2022-01-02 03:04:05" + std::string(300, ' ')) +
             Chunk("gpsa", fixtures::Rate(3)),
         1641092645},
        {"invalid IDIT after the points clears the date",
         points + Chunk("IDIT", "2022-00-02 03:04:05"), 0},
    };
    for (const Case& c : cases) {
        RecordingInfo info;
        ASSERT_EQ(ReadAvi(Avi(33366, 1800, 1280, 720, c.hdrlExtra), info), 0) << c.what;
        EXPECT_EQ(info.startTime, c.expected) << c.what;
    }
}

TEST_F(AviReader, BrokenStructureIsReadSafely) {
    const std::string good = Avi(33366, 1800, 1280, 720);
    const size_t moviAt = good.find("movi");
    struct Case {
        std::string what;
        std::string file;
        int32_t expected;
    } cases[] = {
        {"cut off in the middle of the movie list", good.substr(0, moviAt + 20), -1},
        {"cut off in the index", good.substr(0, good.size() - 10), 0},
        {"not RIFF", "RIFX" + good.substr(4), -1},
        {"shorter than the RIFF header", "RIFF\x10", -1},
        {"MP4 handed to the AVI reader", fixtures::Ftyp() + fixtures::Moov(1000, 60000, 1280, 720),
         -1},
        {"no main header",
         Chunk("RIFF",
               "AVI " + List("hdrl", fixtures::Strl("vids", fixtures::VideoFormat(640, 480)))),
         -1},
        {"main header of 8 bytes has no frame count",
         Chunk("RIFF",
               "AVI " + List("hdrl", Chunk("avih", bytes::LE32(40000) + bytes::LE32(0)) +
                                         fixtures::Strl("vids", fixtures::VideoFormat(640, 480)))),
         -1},
        {"stray bytes after the last chunk", good + "\x01\x02", 0},
        {"gps0 claiming more than the file holds",
         good + ChunkWithSize(0xFFFFFFF0u, "gps0", Raw(kDated)), 0},
        {"JUNK of size 0xFFFFFFFF",
         Chunk("RIFF", "AVI " + ChunkWithSize(0xFFFFFFFFu, "JUNK")) + good, -1},
        {"movie list claiming 4 GiB",
         good.substr(0, good.size() - 40) + ChunkWithSize(0xFFFFFFFFu, "LIST", "movi"), -1},
        {"gpsa with its bytes missing", good + "gpsa" + bytes::LE32(4), -1},
    };
    for (const Case& c : cases) {
        RecordingInfo info;
        EXPECT_EQ(ReadAvi(c.file, info), c.expected) << c.what;
    }
}

TEST_F(AviReader, FilesThatCannotBeOpened) {
    CKtrAviParser reader;
    RecordingInfo info;
    info.durationMs = 5;
    reader.SetInfoTarget(&info);
    EXPECT_EQ(reader.Parse(m_dir.filePath(QStringLiteral("missing.AVI"))), -1);
    EXPECT_EQ(reader.Parse(m_dir.path()), -1);
    EXPECT_EQ(info.durationMs, 5u);
}

} // namespace
