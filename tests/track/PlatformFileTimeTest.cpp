#include "ByteWriter.h"
#include "ScopedTimeZone.h"
#include "platform/BinaryFile.h"
#include "platform/LocalTime.h"

#include <QTemporaryDir>

#include <sys/stat.h>

#include <gtest/gtest.h>

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

} // namespace
