#include "track/NmeaSidecarReader.h"
#include "ByteWriter.h"
#include "ScopedCommaLocale.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cmath>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace {

class RecordingSink : public GSensorSampleSink {
public:
    void AddSample(const GSensorSample& sample) override { samples.push_back(sample); }
    std::vector<GSensorSample> samples;
};

TEST(NmeaFields, CuttingRules) {
    using Fields = std::vector<std::string>;
    struct Case {
        const char* line;
        const char* identifier;
        Fields fields;
    } cases[] = {
        {"$GNRMC,1,A,2", "$GNRMC", {"$GNRMC", "1", "A", "2"}},
        {"$GNRMC,,V,,,,,,,,,,N*53", "$GNRMC", {"$GNRMC", "V", "N*53"}},
        {",,,$GNRMC,,1,,", "$GNRMC", {"$GNRMC", "1"}},
        {"$GNRMC, A ,\t4807.038 ", "$GNRMC", {"$GNRMC", "A", "4807.038"}},
        {" $GNRMC,A", " $GNRMC", {"$GNRMC", "A"}},
        {"$GNRMC,A,  ,4807.038", "$GNRMC", {"$GNRMC", "A"}}, // a blank field ends the list
        {"   ,A", "   ", {}},
        {"", "", {}},
        {",,,", "", {}},
    };
    for (const Case& c : cases) {
        const NmeaFields cut = CutNmeaFields(c.line);
        EXPECT_EQ(cut.identifier, c.identifier) << c.line;
        EXPECT_EQ(cut.fields, c.fields) << c.line;
    }
}

TEST(NmeaFields, NumbersReadLikeAtof) {
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        const char* text;
        double expected;
    } cases[] = {
        {"4807.038", 4807.038},
        {"  12abc", 12.0},
        {"abc", 0.0},
        {"", 0.0},
        {"+5", 5.0},
        {"-0.25", -0.25},
        {".5", 0.5},
        {"1e", 1.0},
        {"1e3x", 1000.0},
        {"--5", 0.0},
        {"+-5", 0.0},
        {"0x10", 16.0},
        {"0x", 0.0},
        {"-0x1p3", -8.0},
        {"1e400", inf},
        {"-1e400", -inf},
        {"1e-400", 0.0},
        {"0."
         "00000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
         "00000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
         "00000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
         "0000000000000000000000000000000000000000000001e-100",
         0.0},
        {"022.4", 22.4},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NmeaNumber(c.text), c.expected) << c.text;
}

// A locale whose decimal separator is a comma must not change how sidecars read.
TEST(NmeaFields, NumbersIgnoreTheUsersLocale) {
    const ScopedCommaLocale commaLocale(LC_ALL);
    if (!commaLocale.active())
        GTEST_SKIP() << ScopedCommaLocale::kMissing;
    EXPECT_EQ(NmeaNumber("4807.038"), 4807.038);
}

class NmeaSidecar : public ::testing::Test {
protected:
    // Writes the sidecar of <dir>/0101_120000_F.TS and returns the video path.
    QString WriteSidecar(const std::string& text) {
        bytes::WriteFile(m_dir.filePath(QStringLiteral("0101_120000_.NMEA")).toStdString(), text);
        return m_dir.filePath(QStringLiteral("0101_120000_F.TS"));
    }

    QTemporaryDir m_dir;
};

TEST(NmeaSidecarName, DropsChannelLetterAndExtension) {
    EXPECT_EQ(NmeaSidecarPath(QStringLiteral("/card/DCIM/0101_120000_F.TS")),
              QStringLiteral("/card/DCIM/0101_120000_.NMEA"));
    EXPECT_EQ(NmeaSidecarPath(QStringLiteral("/card/DCIM/0101_120000_R.TS")),
              QStringLiteral("/card/DCIM/0101_120000_.NMEA"));
    EXPECT_EQ(NmeaSidecarPath(QStringLiteral("a.b")), QStringLiteral(".NMEA"));
}

TEST_F(NmeaSidecar, PositionSentences) {
    struct Case {
        const char* line;
        double lat, lon;
        uint16_t speed;
        uint8_t flags;
    } cases[] = {
        {"$GNRMC,123519.00,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A", 4807.038,
         1131.0, 41, 1},
        {"$GNRMC,123519.00,A,4807.038,S,01131.000,W,0.0,,230394,,,A*6A", 4807.038, 1131.0, 0, 1},
        {"$GNRMC,,V,,,,,,,,,,N*53", 0, 0, 0, 0},
        {"$GNRMC,,V,,,,,,,,,", 0, 0, 0, 0}, // no mode letter: only the status is left
        {"$GNRMC,123519.00,V,4807.038,N,01131.000,E,022.4,084.4", 0, 0, 0, 0},
        {"$GNRMC,123519.00,X,4807.038,N,01131.000,E,10.0,1", 4807.038, 1131.0, 18, 0},
        // The empty time field vanished: everything moves forward by one.
        {"$GNRMC,,A,4807.038,N,01131.000,E,022.4,084.4,230394", 0, 0, 156, 0},
        {"$GNRMC,1,A,1,N,2,E,-3.0,0", 1, 2, 65531, 1},
    };
    for (const Case& c : cases) {
        const auto track = ReadNmeaSidecar(WriteSidecar(std::string(c.line) + "\r\n"), nullptr);
        ASSERT_EQ(track.points.size(), 1u) << c.line;
        const TrackPoint& p = track.points[0];
        EXPECT_EQ(p.latitudeNmea, c.lat) << c.line;
        EXPECT_EQ(p.longitudeNmea, c.lon) << c.line;
        EXPECT_EQ(p.speedKmh, c.speed) << c.line;
        EXPECT_EQ(p.flags, c.flags) << c.line;
        EXPECT_EQ(p.altitude, 0);
        EXPECT_EQ(p.year, 0);
        EXPECT_EQ(p.headingHalfDeg, 0);
    }
}

// The catalogue dates a stream without a time in its name by its first dated fix.
TEST_F(NmeaSidecar, FirstDatedFixGivesItsMomentAndIndex) {
    constexpr int64_t k2021May4 = 1620086400; // 2021-05-04 00:00:00 UTC
    const std::string dated = "$GNRMC,081500.00,A,4807.038,N,01131.000,E,10.0,84.4,040521,,,A\n";
    struct Case {
        const char* what;
        std::string text;
        std::optional<int64_t> utc;
        size_t index;
    } cases[] = {
        {"course present", dated, k2021May4 + 29700, 0},
        {"course empty: the date moves forward",
         "$GNRMC,081500,A,4807.038,N,01131.000,E,10.0,,040521,,,A\n", k2021May4 + 29700, 0},
        {"after sentences without a fix", "$GNRMC,,V,,,,,,,,,,N\n$GNRMC,,V,,,,,,,,,,N\n" + dated,
         k2021May4 + 29700, 2},
        {"an undated fix is passed over",
         "$GNRMC,000000.00,A,4807.038,N,01131.000,E,10.0,84.4\n" + dated, k2021May4 + 29700, 1},
        {"the 31st of February", "$GNRMC,081500.00,A,4807.038,N,01131.000,E,10.0,84.4,310221\n",
         std::nullopt, 0},
        {"hour 24", "$GNRMC,241500.00,A,4807.038,N,01131.000,E,10.0,84.4,040521\n", std::nullopt,
         0},
        {"no fix at all", "$GNRMC,,V,,,,,,,,,,N\n", std::nullopt, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const NmeaSidecarTrack track = ReadNmeaSidecar(WriteSidecar(c.text), nullptr);
        EXPECT_EQ(track.firstFixUtc, c.utc);
        if (c.utc) {
            EXPECT_EQ(track.firstFixIndex, c.index);
        }
    }
}

TEST_F(NmeaSidecar, GsensorSentencesGoToTheSink) {
    RecordingSink sink;
    const auto track = ReadNmeaSidecar(
        WriteSidecar("$GSENSORD,0.015,-0.250,1.002\n$GSENSORD,1e30,nan,-1e30\n"), &sink);
    EXPECT_EQ(track.gsensorCount, 2);
    EXPECT_TRUE(track.points.empty());
    ASSERT_EQ(sink.samples.size(), 2u);
    EXPECT_EQ(sink.samples[0].x, 7);
    EXPECT_EQ(sink.samples[0].y, -128);
    EXPECT_EQ(sink.samples[0].z, 513);
    EXPECT_EQ(GSensorCount(sink.samples[0].z), 1);
    // Values beyond 32 bits saturate instead of being undefined.
    EXPECT_EQ(sink.samples[1].x, std::numeric_limits<int32_t>::max());
    EXPECT_EQ(sink.samples[1].y, 0);
    EXPECT_EQ(sink.samples[1].z, std::numeric_limits<int32_t>::min());
}

TEST_F(NmeaSidecar, LinesThatAddNothing) {
    // Each of these lines is skipped without failing the read and counts for nothing.
    const char* lines[] = {
        " $GNRMC,123519.00,A,4807.038,N,01131.000,E,022.4,084.4,230394", // blank before the
                                                                         // identifier
        "$GPRMC,123519.00,A,4807.038,N,01131.000,E,022.4,084.4,230394",  // other talker
        "$gnrmc,123519.00,A,4807.038,N,01131.000,E,022.4,084.4,230394",  // lower case
        "$GNRMC,123519.00",                                              // no status
        "$GNRMC,123519.00,A,4807.038,N,01131.000,E",                     // fix without speed
        "$GNRMC,123519.00,A, ,N,01131.000,E,022.4", // blank field hides the rest
        "$GSENSORD,0.1,0.2",
        "$GSENSORD",
        "",
        "\r",
        "garbage \x01\x02\xff",
    };
    std::string text;
    for (const char* line : lines)
        text += std::string(line) + "\n";
    RecordingSink sink;
    const auto track = ReadNmeaSidecar(WriteSidecar(text + "$GSENSORD,0.1,0.2,0.3"), &sink);
    EXPECT_TRUE(track.points.empty());
    EXPECT_EQ(track.gsensorCount, 1) << "the last line has no line end and still counts";
    EXPECT_EQ(sink.samples.size(), 1u);
}

TEST_F(NmeaSidecar, MinuteOfDriving) {
    std::string text;
    for (int second = 0; second < 60; ++second) {
        text += "$GNRMC,1200" + std::to_string(10 + second % 50) +
                ".00,A,4807.038,N,01131.000,E,022.4,084.4,230394,,,A*6A\r\n";
        for (int i = 0; i < 10; ++i)
            text += "$GSENSORD,0.015,-0.250,1.002\r\n";
    }
    RecordingSink sink;
    const auto track = ReadNmeaSidecar(WriteSidecar(text), &sink);
    EXPECT_EQ(track.points.size(), 60u);
    EXPECT_EQ(track.gsensorCount, 600);
    EXPECT_EQ(sink.samples.size(), 600u);
}

TEST_F(NmeaSidecar, NoReadableSidecarGivesAnEmptyTrack) {
    const QString sidecar = m_dir.filePath(QStringLiteral("0101_120000_.NMEA"));
    struct Case {
        const char* what;
        std::function<bool()> make;
    } cases[] = {
        {"missing", [] { return true; }},
        {"a folder", [&] { return QDir().mkdir(sidecar); }},
        // A FIFO with no writer would block a plain open for ever.
        {"a FIFO", [&] { return ::mkfifo(QFile::encodeName(sidecar).constData(), 0600) == 0; }},
    };
    for (const Case& c : cases) {
        QFile::remove(sidecar);
        QDir().rmdir(sidecar);
        ASSERT_TRUE(c.make()) << c.what;
        RecordingSink sink;
        const auto track =
            ReadNmeaSidecar(m_dir.filePath(QStringLiteral("0101_120000_F.TS")), &sink);
        EXPECT_TRUE(track.points.empty()) << c.what;
        EXPECT_EQ(track.gsensorCount, 0) << c.what;
        EXPECT_TRUE(sink.samples.empty()) << c.what;
    }
}

} // namespace
