#include "ReaderTestSupport.h"

#include <vector>

namespace {

using bytes::Box;
using bytes::BoxWithSize;
using bytes::Raw;
using fixtures::Ftyp;
using fixtures::Moov;
using fixtures::Point;
using fixtures::UndatedPoint;

std::string Points(const std::vector<TrackPoint>& points) {
    std::string out;
    for (const TrackPoint& p : points)
        out += Raw(p);
    return out;
}

const TrackPoint kDated = Point(21, 5, 4, 10, 20, 30);

std::string Gps0ThirdUndated() {
    return Box("gps0", Points({UndatedPoint(), UndatedPoint(), UndatedPoint(), kDated}));
}

std::string Idit(const std::string& text) {
    return Box("IDIT", text);
}

using Mp4Reader = ReaderTest;

TEST_F(Mp4Reader, PlainRecordingWithoutCameraBoxes) {
    const std::string file = Ftyp() + Moov(1000, 60000, 1920, 1080) + Box("mdat", bytes::Zeros(64));
    RecordingInfo info;
    FileStatus status;
    CKtr3gpParser reader;
    reader.SetInfoTarget(&info);
    reader.SetStatusTarget(&status);
    const QString path = Write(file);
    ASSERT_EQ(reader.Parse(path), 0);
    EXPECT_EQ(info.durationMs, 60000u);
    EXPECT_EQ(info.width, 1920);
    EXPECT_EQ(info.height, 1080);
    EXPECT_EQ(info.startTime, 0);
    EXPECT_EQ(info.durationSeconds, 0);
    EXPECT_EQ(info.gpsOffset, 0u);
    EXPECT_EQ(info.gpsSize, 0u);
    EXPECT_FALSE(info.hasGps());
    EXPECT_EQ(info.fileSize, file.size());
    EXPECT_EQ(status.size, file.size());
    EXPECT_EQ(status.fullPath, path);
}

TEST_F(Mp4Reader, CameraBoxesAreLocated) {
    const std::string head =
        Ftyp() + Box("gpsa", fixtures::Rate(1, 2, 3, 4)) + Box("gsea", fixtures::Rate(50, 4, 0, 9));
    const std::string gps0 = Box("gps0", Points({kDated, kDated}));
    const std::string gsen = Box("gsen", bytes::Zeros(12 * 5));
    RecordingInfo info;
    ASSERT_EQ(ReadMp4(head + gps0 + gsen + Moov(1000, 1000, 640, 480), info), 0);
    EXPECT_EQ(info.gpsOffset, head.size() + 8);
    EXPECT_EQ(info.gpsSize, 64u);
    EXPECT_EQ(info.gsensorOffset, head.size() + gps0.size() + 8);
    EXPECT_EQ(info.gsensorSize, 60u);
    EXPECT_EQ(std::vector<int>(info.gpsRate, info.gpsRate + 4), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(std::vector<int>(info.gsensorRate, info.gsensorRate + 4),
              (std::vector<int>{50, 4, 0, 9}));
    EXPECT_TRUE(info.hasGps());
}

TEST_F(Mp4Reader, StartTimeRules) {
    const std::string moov = Moov(1000, 60000, 1280, 720);
    const std::string gpsaOne = Box("gpsa", fixtures::Rate(1));
    const std::string gpsaTen = Box("gpsa", fixtures::Rate(10));
    const std::string laterPoint =
        Box("gps0", Points({UndatedPoint(), Point(22, 1, 2, 3, 4, 5)})); // 2022-01-02 03:04:05
    constexpr int64_t kJan2Utc = 1641092645;
    struct Case {
        const char* what;
        std::string boxes;
        int64_t expected;
    } cases[] = {
        {"first dated point is the fourth, one point per second", gpsaOne + Gps0ThirdUndated(),
         kMay4Utc - 3},
        {"ten points per second: 3 / 10 is 0", gpsaTen + Gps0ThirdUndated(), kMay4Utc},
        {"no rate yet: nothing is subtracted", Gps0ThirdUndated(), kMay4Utc},
        {"a rate that comes after the points is too late", Gps0ThirdUndated() + gpsaOne, kMay4Utc},
        {"points with impossible fields are passed over",
         gpsaOne + Box("gps0", Points({Point(21, 13, 4, 10, 20, 30), Point(21, 5, 0, 10, 20, 30),
                                       Point(21, 5, 4, 24, 20, 30), Point(21, 5, 4, 10, 60, 30),
                                       Point(21, 5, 4, 10, 20, 60), kDated})),
         kMay4Utc - 5},
        {"a valid IDIT before the points wins",
         Idit("2022-01-02 03:04:05") + gpsaOne + Gps0ThirdUndated(), kJan2Utc},
        {"a valid IDIT after the points wins too",
         gpsaOne + Gps0ThirdUndated() + Idit("2022-01-02 03:04:05"), kJan2Utc},
        {"an invalid IDIT after a dated point clears the date",
         Gps0ThirdUndated() + Idit("garbage"), 0},
        {"an IDIT with a year before 1900 is not a date",
         Gps0ThirdUndated() + Idit("1899-05-04 10:20:30"), 0},
        {"after an invalid IDIT, later points date the recording again",
         Gps0ThirdUndated() + Idit("2021-13-04 10:20:30") + laterPoint, kJan2Utc},
        {"an IDIT longer than its text buffer keeps its first characters",
         Idit("2022-01-02 03:04:05" + std::string(200, 'x')) + gpsaTen, kJan2Utc},
        {"a negative hour in an IDIT passes the test and reaches into the day before",
         Idit("2022-01-02 -1:04:05"), kJan2Utc - 4 * 3600},
        {"a short IDIT is not completed by the tail of an earlier one",
         Idit("2022-01-02 03:04:05") + Idit("2023"), 0},
        {"no date anywhere", Box("gps0", Points({UndatedPoint()})), 0},
    };
    for (const Case& c : cases) {
        RecordingInfo info;
        ASSERT_EQ(ReadMp4(Ftyp() + c.boxes + moov, info), 0) << c.what;
        EXPECT_EQ(info.startTime, c.expected) << c.what;
    }
}

TEST_F(Mp4Reader, LongIditIsSkippedAsAWhole) {
    // The box after the long text is still found where its size says.
    RecordingInfo info;
    ASSERT_EQ(ReadMp4(Ftyp() + Idit("2022-01-02 03:04:05" + std::string(200, 'x')) +
                          Box("gpsa", fixtures::Rate(10)) + Moov(1000, 60000, 1280, 720),
                      info),
              0);
    EXPECT_EQ(info.gpsRate[0], 10);
}

TEST_F(Mp4Reader, DateBeforeTheEpochFailsTheRead) {
    RecordingInfo info;
    info.width = 77;
    EXPECT_EQ(ReadMp4(Ftyp() + Idit("1969-12-31 23:59:59") + Moov(1000, 60000, 1280, 720), info),
              -1);
    EXPECT_EQ(info.width, 77) << "the info target is not touched on failure";
}

TEST_F(Mp4Reader, Gps0WithARemainder) {
    // Content of 100 bytes: three whole points are examined and the walk reads the next
    // header 4 bytes before the end, so the last 4 content bytes are taken as a box size.
    const std::string content = Points({UndatedPoint(), UndatedPoint(), kDated}) + bytes::BE32(16);
    const std::string fakeGpsa = "gpsa" + fixtures::Rate(7) + bytes::Zeros(4);
    const std::string head = Ftyp() + Box("gpsa", fixtures::Rate(1));
    RecordingInfo info;
    ASSERT_EQ(ReadMp4(head + Box("gps0", content) + fakeGpsa + Moov(1000, 60000, 1280, 720), info),
              0);
    EXPECT_EQ(info.gpsSize, 100u);
    EXPECT_EQ(info.gpsOffset, head.size() + 8);
    EXPECT_EQ(info.startTime, kMay4Utc - 2);
    EXPECT_EQ(info.gpsRate[0], 7);
}

TEST_F(Mp4Reader, CameraBoxesInsideMoov) {
    const std::string gps0 = Box("gps0", Points({kDated}));
    struct Case {
        const char* what;
        std::string extra;
        bool found;
    } cases[] = {
        {"direct child of moov", gps0, true},
        {"inside the user data box", Box("udta", gps0), false},
    };
    for (const Case& c : cases) {
        RecordingInfo info;
        ASSERT_EQ(ReadMp4(Ftyp() + Moov(1000, 60000, 1280, 720, c.extra), info), 0) << c.what;
        EXPECT_EQ(info.hasGps(), c.found) << c.what;
        EXPECT_EQ(info.startTime, c.found ? kMay4Utc : 0) << c.what;
    }
}

TEST_F(Mp4Reader, Duration) {
    struct Case {
        uint32_t timescale, duration, expectedMs;
    } cases[] = {
        {90000, 5400000, 60000},
        {1000, 60000, 60000},
        {600, 1, 1},   // 1000 / 600 rounds down
        {0, 60000, 0}, // no timescale: no duration, so the read fails
        {1000, 0, 0},
    };
    for (const Case& c : cases) {
        RecordingInfo info;
        const int32_t result = ReadMp4(Ftyp() + Moov(c.timescale, c.duration, 640, 480), info);
        EXPECT_EQ(result, c.expectedMs != 0 ? 0 : -1) << c.timescale << " " << c.duration;
        if (result == 0) {
            EXPECT_EQ(info.durationMs, c.expectedMs) << c.timescale << " " << c.duration;
        }
    }
}

TEST_F(Mp4Reader, OnlyTheFirstTrackCounts) {
    const std::string second =
        Box("trak",
            Box("mdia", fixtures::Mdhd(1000, 5000) +
                            Box("minf", Box("stbl", fixtures::Stsd(fixtures::Avc1(320, 240))))));
    RecordingInfo info;
    ASSERT_EQ(ReadMp4(Ftyp() + Moov(1000, 60000, 1280, 720, second), info), 0);
    EXPECT_EQ(info.durationMs, 60000u);
    EXPECT_EQ(info.width, 1280);
}

// Broken structure: the read must end, stay inside the file, and fail or succeed as stated.
TEST_F(Mp4Reader, BrokenStructureIsReadSafely) {
    using bytes::Zeros;
    const std::string moov = Moov(1000, 60000, 1280, 720);
    const std::string shortMdhd = Box("mdhd", Zeros(19));
    const std::string shortAvc1 = Box("avc1", Zeros(27));
    const std::string stsd = fixtures::Stsd(fixtures::Avc1(1280, 720));
    const std::string mdhd = fixtures::Mdhd(1000, 60000);
    auto moovWithTrak = [&](const std::string& trakContent) {
        return Box("moov", Box("trak", trakContent));
    };
    struct Case {
        std::string what;
        std::string file;
        int32_t expected;
    } cases[] = {
        {"mdhd content of 19 bytes is absent", Ftyp() + Moov(shortMdhd, stsd), -1},
        {"avc1 content of 27 bytes is absent", Ftyp() + Moov(mdhd, fixtures::Stsd(shortAvc1)), -1},
        {"stsd with no entries", Ftyp() + Moov(mdhd, Box("stsd", Zeros(8) + fixtures::Avc1(1, 1))),
         -1},
        {"child of size 0 ends the child search",
         Ftyp() + moovWithTrak(BoxWithSize(0, "free") + Box("mdia", mdhd)), -1},
        {"child of size 5 ends the child search",
         Ftyp() + moovWithTrak(BoxWithSize(5, "free") + Zeros(3) + Box("mdia", mdhd)), -1},
        {"child larger than the file", Ftyp() + moovWithTrak(BoxWithSize(1 << 30, "free")), -1},
        {"moov claiming more than the file", Ftyp() + BoxWithSize(0xFFFFFFF0u, "moov"), -1},
        {"empty file", "", -1},
        {"shorter than a box header",
         std::string("\0\0\0\x10"
                     "ft",
                     6),
         -1},
        {"first box is not ftyp", Box("free") + moov, -1},
        {"RIFF handed to the MP4 reader", fixtures::Avi(33366, 1800, 1280, 720), -1},
        {"ftyp of size 0 walks again from the start", BoxWithSize(0, "ftyp") + moov, -1},
        {"1 to 7 stray bytes at the end", Ftyp() + moov + "\x01\x02\x03", 0},
        {"gps0 claiming far more points than the file holds",
         Ftyp() + moov + BoxWithSize(0xFFFFFF00u, "gps0", Raw(kDated)), 0},
        {"gpsa whose four bytes are missing", Ftyp() + moov + Box("gpsa").substr(0, 8), -1},
        {"IDIT text cut off by the end of the file",
         Ftyp() + moov + BoxWithSize(40, "IDIT", "2021"), -1},
    };
    for (uint32_t size = 0; size < 8; ++size) {
        // The content length wraps to nearly 4 GiB and carries the walk past the end.
        const std::string tag = "top-level box of size " + std::to_string(size);
        RecordingInfo info;
        EXPECT_EQ(
            ReadMp4(Ftyp() + moov + BoxWithSize(size, "abcd") + Box("gpsa", fixtures::Rate(5)),
                    info),
            0)
            << tag << " after moov";
        EXPECT_EQ(info.gpsRate[0], 0) << tag;
        EXPECT_EQ(ReadMp4(Ftyp() + BoxWithSize(size, "abcd") + moov, info), -1)
            << tag << " before moov";
        EXPECT_EQ(ReadMp4(Ftyp() + BoxWithSize(size, "gps0") + moov, info), -1) << tag << " gps0";
    }
    for (const Case& c : cases) {
        RecordingInfo info;
        EXPECT_EQ(ReadMp4(c.file, info), c.expected) << c.what;
    }
}

TEST_F(Mp4Reader, FilesThatCannotBeOpened) {
    CKtr3gpParser reader;
    RecordingInfo info;
    FileStatus status;
    reader.SetInfoTarget(&info);
    reader.SetStatusTarget(&status);
    EXPECT_EQ(reader.Parse(m_dir.filePath(QStringLiteral("missing.MP4"))), -1);
    EXPECT_EQ(reader.Parse(m_dir.path()), -1);
    EXPECT_TRUE(status.fullPath.isEmpty()) << "no status for a file that did not open";
}

TEST_F(Mp4Reader, ReaderIsReusable) {
    CKtr3gpParser reader;
    RecordingInfo info;
    reader.SetInfoTarget(&info);
    ASSERT_EQ(reader.Parse(Write(Ftyp() + Box("gpsa", fixtures::Rate(1)) + Gps0ThirdUndated() +
                                     Moov(1000, 60000, 1280, 720),
                                 QStringLiteral("a.MP4"))),
              0);
    EXPECT_EQ(info.startTime, kMay4Utc - 3);
    ASSERT_EQ(reader.Parse(Write(Ftyp() + Moov(1000, 2000, 320, 240), QStringLiteral("b.MP4"))), 0);
    EXPECT_EQ(info.startTime, 0) << "results start from zero on every read";
    EXPECT_EQ(info.gpsRate[0], 0);
    EXPECT_EQ(info.durationMs, 2000u);
}

TEST_F(Mp4Reader, LocalTimeOfTheComputer) {
    ScopedTimeZone berlin("Europe/Berlin");
    RecordingInfo info;
    ASSERT_EQ(ReadMp4(Ftyp() + Box("gps0", Raw(kDated)) + Moov(1000, 60000, 1280, 720), info), 0);
    EXPECT_EQ(info.startTime, kMay4Utc - 2 * 3600) << "summer time in Berlin is UTC+2";
}

TEST(ReaderChoice, ByNameEnding) {
    struct Case {
        const char* name;
        bool avi;
    } cases[] = {
        {"/card/DCIM/0101_120000_F.AVI", true},
        {"0101_120000_F.avi", false},
        {"0101_120000_F.Avi", false},
        {"0101_120000_F.MP4", false},
        {".AVI", true},
        {"AVI", false},
        {"x.AVI.MP4", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsAviName(QString::fromLatin1(c.name)), c.avi) << c.name;
        const auto reader = CreateReaderForName(QString::fromLatin1(c.name));
        EXPECT_EQ(dynamic_cast<CKtrAviParser*>(reader.get()) != nullptr, c.avi) << c.name;
        EXPECT_EQ(dynamic_cast<CKtr3gpParser*>(reader.get()) != nullptr, !c.avi) << c.name;
    }
}

} // namespace
