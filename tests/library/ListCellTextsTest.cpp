#include "library/ListCellTexts.h"

#include "ScopedTimeZone.h"

#include <QDateTime>

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

struct FileRowCase {
    const char16_t* name;
    const char* start;
    const char* dateTime;
};

TEST(ListCellTextsTest, FileRowTimesComeFromTheName) {
    const FileRowCase cases[] = {
        {u"20210504-102027F.MP4", "10:20:27", "2021-05-04 10:20:27"},
        // No hyphen: every pair is taken from the start of the name.
        {u"12345678.MP4", "12:34:56", "2012-12-12 12:34:56"},
        // Hyphen at position 3: the date pairs start at max(p, 0), so at 0, 0 and 1.
        {u"123-456789.MP4", "45:67:89", "2012-12-23 45:67:89"},
        // Letters read as 0; blanks and a sign are read the way atoi reads them.
        {u"ABCDEF-GHIJKL.MP4", "00:00:00", "2000-00-00 00:00:00"},
        {u" 7- 8+9-1.MP4", "08:09:-1", "2007-07-07 08:09:-1"},
        // Pairs past the end of the name read 0.
        {u"AB-1", "01:00:00", "2000-00-00 01:00:00"},
        {u"", "00:00:00", "2000-00-00 00:00:00"},
    };
    for (const FileRowCase& c : cases) {
        const QString name = QString::fromUtf16(c.name);
        SCOPED_TRACE(name.toStdString());
        const auto texts = FileRowTexts(name);
        EXPECT_EQ(texts[0], name);
        EXPECT_EQ(texts[1], QString::fromLatin1(c.start));
        EXPECT_EQ(texts[2], QString::fromLatin1(c.dateTime));
    }
}

struct GroupRowCase {
    int32_t number;
    uint64_t totalMs;
    uint64_t totalBytes;
    const char* group;
    const char* length;
    const char* size;
};

TEST(ListCellTextsTest, GroupRowTotalsRoundTowardZero) {
    const GroupRowCase cases[] = {
        {0, 60000 + 59999, 1048575, "G0", " 119 s ", " 0 MB"},
        {12, 999, 1048576, "G12", " 0 s ", " 1 MB"},
        {3, 3600000, 3 * 1048576 + 1048575, "G3", " 3600 s ", " 3 MB"},
    };
    for (const GroupRowCase& c : cases) {
        const auto texts =
            GroupRowTexts(c.number, QStringLiteral("FHD"), c.totalMs, c.totalBytes, 0);
        EXPECT_EQ(texts[0], QString::fromLatin1(c.group));
        EXPECT_EQ(texts[1], QStringLiteral("FHD"));
        EXPECT_EQ(texts[3], QString::fromLatin1(c.length));
        EXPECT_EQ(texts[4], QString::fromLatin1(c.size));
    }
}

TEST(ListCellTextsTest, GroupStartIsLocalTimeOrEmpty) {
    const QDateTime local(QDate(2021, 5, 4), QTime(10, 20, 27), Qt::LocalTime);
    EXPECT_EQ(GroupRowTexts(0, QString(), 0, 0, local.toSecsSinceEpoch())[2],
              QStringLiteral("2021-05-04 10:20:27"));
    EXPECT_EQ(GroupRowTexts(0, QString(), 0, 0, std::numeric_limits<int64_t>::max())[2], QString());
    // A zone set while the program runs is honoured.
    const ScopedTimeZone zone("XYZ-2");
    EXPECT_EQ(GroupRowTexts(0, QString(), 0, 0, 0)[2], QStringLiteral("1970-01-01 02:00:00"));
}

} // namespace
