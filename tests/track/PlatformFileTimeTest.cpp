#include "ByteWriter.h"
#include "ScopedTimeZone.h"
#include "platform/BinaryFile.h"
#include "platform/LocalTime.h"

#include <QTemporaryDir>

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <ctime>
#include <string>
#include <vector>

namespace {

std::string Pattern(size_t size) {
    std::string out(size, '\0');
    for (size_t i = 0; i < size; ++i)
        out[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
    return out;
}

TEST(BinaryFile, ReadsWhatIsInTheFileWhereverTheBufferIs) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("data.bin"));
    const size_t kSize = 3 * BinaryFile::kBufferBytes + 1234;
    const std::string content = Pattern(kSize);
    bytes::WriteFile(path.toStdString(), content);

    BinaryFile file;
    ASSERT_TRUE(file.Open(path));
    EXPECT_EQ(file.Length(), kSize);
    const size_t kBuf = BinaryFile::kBufferBytes;
    struct Case {
        uint64_t at;
        size_t count;
        size_t expected; // bytes delivered
    } cases[] = {
        {0, 8, 8},
        {kBuf - 4, 8, 8},                  // across the end of the buffered window
        {100, 32, 32},                     // back inside a window read before
        {5, 2 * kBuf + 10, 2 * kBuf + 10}, // larger than the buffer
        {kSize - 3, 8, 3},                 // short only at the end
        {kSize, 8, 0},
        {kSize + 100, 8, 0},
        {kBuf * 2 + 7, 1, 1},
    };
    for (const Case& c : cases) {
        std::vector<char> out(c.count, 'Z');
        file.Seek(c.at);
        ASSERT_EQ(file.Read(out.data(), c.count), c.expected) << c.at;
        EXPECT_EQ(std::string(out.data(), c.expected),
                  content.substr(std::min<uint64_t>(c.at, kSize), c.expected))
            << c.at;
        EXPECT_EQ(file.Position(), c.at + c.expected) << c.at;
    }
    char tail[8];
    file.Seek(kSize - 3);
    EXPECT_THROW(file.ReadExact(tail, sizeof tail), FileReadError);
    file.Close();
    EXPECT_THROW(file.ReadExact(tail, 1), FileReadError);
}

TEST(BinaryFile, OpenFailsForWhatIsNotAReadableFile) {
    QTemporaryDir dir;
    BinaryFile file;
    EXPECT_FALSE(file.Open(dir.filePath(QStringLiteral("missing"))));
    EXPECT_FALSE(file.Open(dir.path()));
    // A FIFO with no writer would block a plain open for ever.
    const QString fifo = dir.filePath(QStringLiteral("pipe.MP4"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_FALSE(file.Open(fifo));
    EXPECT_FALSE(file.Open(QStringLiteral("/dev/zero")));
    EXPECT_FALSE(file.IsOpen());
}

TEST(BinaryFile, OpensReadOnlyFiles) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("locked.MP4"));
    bytes::WriteFile(path.toStdString(), "abc");
    QFile::setPermissions(path, QFileDevice::ReadOwner);
    BinaryFile file;
    ASSERT_TRUE(file.Open(path));
    FileStatus status;
    ASSERT_TRUE(file.QueryStatus(status));
    EXPECT_EQ(status.size, 3u);
    EXPECT_TRUE(status.attributes & kAttrReadOnly);
}

TEST(LocalTime, ConvertsAndRefuses) {
    struct Case {
        const char* zone;
        int year, month, day, hour, minute, second;
        std::optional<int64_t> expected;
    } cases[] = {
        {"UTC", 2021, 5, 4, 10, 20, 30, 1620123630},
        {"Europe/Berlin", 2021, 5, 4, 10, 20, 30, 1620123630 - 7200}, // summer time
        {"Europe/Berlin", 2021, 1, 4, 10, 20, 30, 1609755630 - 3600}, // winter time
        {"Europe/Berlin", 1970, 1, 1, 0, 0, 0, -3600}, // before the epoch in UTC, still 1970 here
        {"Europe/Berlin", 1970, 1, 1, 0, 59, 59, -1},  // the one second that looks like an error
        {"UTC", 2021, 2, 31, 0, 0, 0, 1614729600},     // rolls over into March
        {"UTC", 1969, 12, 31, 23, 59, 59, std::nullopt},
        {"UTC", 1900, 1, 1, 0, 0, 0, std::nullopt},
        {"UTC", 2255, 12, 31, 23, 59, 59, 9025257599},
    };
    for (const Case& c : cases) {
        ScopedTimeZone zone(c.zone);
        EXPECT_EQ(LocalTimeToSeconds(c.year, c.month, c.day, c.hour, c.minute, c.second),
                  c.expected)
            << c.zone << " " << c.year << "-" << c.month << "-" << c.day;
    }
}

int64_t LibraryMktime(int year, int month, int day, int hour, int minute, int second) {
    std::tm fields{};
    fields.tm_year = year - 1900;
    fields.tm_mon = month - 1;
    fields.tm_mday = day;
    fields.tm_hour = hour;
    fields.tm_min = minute;
    fields.tm_sec = second;
    fields.tm_isdst = -1;
    return static_cast<int64_t>(std::mktime(&fields));
}

// The conversion no longer goes through mktime, so it is held against it around the changes
// of clock on both sides of UTC, the skipped hour included.
TEST(LocalTime, AgreesWithMktimeAroundClockChanges) {
    struct Case {
        const char* zone;
        int year, month, day, hour, minute, second;
    } cases[] = {
        {"Europe/Berlin", 2024, 3, 31, 1, 59, 59}, {"Europe/Berlin", 2024, 3, 31, 2, 0, 0},
        {"Europe/Berlin", 2024, 3, 31, 2, 30, 0},  {"Europe/Berlin", 2024, 3, 31, 3, 0, 0},
        {"Europe/Berlin", 2024, 3, 30, 26, 30, 0}, {"Europe/Berlin", 2024, 10, 27, 1, 59, 59},
        {"Europe/Berlin", 2024, 10, 27, 3, 0, 0},  {"Europe/Berlin", 2024, 13, 1, 0, 0, 0},
        {"Europe/Berlin", 2024, 0, 0, -1, 0, 0},   {"America/New_York", 2024, 3, 10, 1, 59, 59},
        {"America/New_York", 2024, 3, 10, 2, 30, 0}, {"America/New_York", 2024, 3, 10, 3, 0, 0},
        {"America/New_York", 2024, 11, 3, 0, 59, 59}, {"America/New_York", 2024, 11, 3, 2, 0, 0},
        {"Asia/Kolkata", 2024, 6, 1, 12, 0, 0},
    };
    for (const Case& c : cases) {
        ScopedTimeZone zone(c.zone);
        const int64_t expected =
            LibraryMktime(c.year, c.month, c.day, c.hour, c.minute, c.second);
        EXPECT_EQ(LocalTimeToSeconds(c.year, c.month, c.day, c.hour, c.minute, c.second),
                  expected)
            << c.zone << " " << c.year << "-" << c.month << "-" << c.day << " " << c.hour << ":"
            << c.minute;
    }
    // The hour that happens twice when clocks go back is either of its two instants; mktime
    // itself picks by what it converted last.
    ScopedTimeZone zone("Europe/Berlin");
    const std::optional<int64_t> twice = LocalTimeToSeconds(2024, 10, 27, 2, 30, 0);
    ASSERT_TRUE(twice.has_value());
    EXPECT_TRUE(*twice == 1729989000 || *twice == 1729992600) << *twice;
}

} // namespace
