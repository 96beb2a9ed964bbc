#include "ReaderTestSupport.h"

#include <QDir>

#include <sys/stat.h>

namespace {

using bytes::Box;

enum class Kind { Mp4, Avi };

// One reader of each kind reads every file in turn, so a reason left over from the read
// before would show.
TEST_F(ReaderTest, FailureReasons) {
    const std::string avi = fixtures::Avi(33366, 1800, 1280, 720);
    const std::string mp4 = fixtures::Ftyp() + fixtures::Moov(1000, 60000, 1280, 720);
    const QString fifo = m_dir.filePath(QStringLiteral("fifo"));
    ASSERT_EQ(mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    const QString folder = m_dir.filePath(QStringLiteral("folder.MP4"));
    ASSERT_TRUE(QDir().mkdir(folder));
    struct Case {
        const char* what;
        Kind kind;
        std::string file;
        ReadFailure expected;
    } cases[] = {
        {"empty", Kind::Mp4, "", ReadFailure::EmptyFile},
        {"complete", Kind::Mp4, mp4, ReadFailure::None},
        {"empty", Kind::Avi, "", ReadFailure::EmptyFile},
        {"complete", Kind::Avi, avi, ReadFailure::None},
        {"shorter than a box header", Kind::Mp4,
         std::string("\0\0\0\x10"
                     "ft",
                     6),
         ReadFailure::Truncated},
        {"IDIT cut off", Kind::Mp4, mp4 + bytes::BoxWithSize(40, "IDIT", "2021"),
         ReadFailure::Truncated},
        {"cut off in the movie list", Kind::Avi, avi.substr(0, avi.find("movi") + 20),
         ReadFailure::Truncated},
        {"shorter than the RIFF header", Kind::Avi, "RIFF\x10", ReadFailure::Truncated},
        {"no moov", Kind::Mp4, fixtures::Ftyp() + Box("mdat", bytes::Zeros(64)),
         ReadFailure::NoIndexBox},
        {"no avc1 in the first track", Kind::Mp4,
         fixtures::Ftyp() +
             fixtures::Moov(fixtures::Mdhd(1000, 60000), fixtures::Stsd(Box("mp4a"))),
         ReadFailure::NoIndexBox},
        {"no main header", Kind::Avi,
         bytes::Chunk(
             "RIFF",
             "AVI " + bytes::List("hdrl", fixtures::Strl("vids", fixtures::VideoFormat(640, 480)))),
         ReadFailure::NoIndexBox},
        {"RIFF", Kind::Mp4, avi, ReadFailure::NotRecognised},
        {"MP4", Kind::Avi, mp4, ReadFailure::NotRecognised},
        {"date before 1970", Kind::Mp4, mp4 + Box("IDIT", "1969-12-31 23:59:59"),
         ReadFailure::DateRefused},
        {"date before 1970", Kind::Avi,
         fixtures::Avi(33366, 1800, 1280, 720, bytes::Chunk("IDIT", "1969-12-31 23:59:59")),
         ReadFailure::DateRefused},
    };
    CKtr3gpParser mp4Reader;
    CKtrAviParser aviReader;
    auto reader = [&](Kind kind) -> CKtrVideoParser& {
        if (kind == Kind::Mp4)
            return mp4Reader;
        return aviReader;
    };
    for (const Case& c : cases) {
        const char* kind = c.kind == Kind::Mp4 ? "MP4 reader, " : "AVI reader, ";
        EXPECT_EQ(reader(c.kind).Parse(Write(c.file)), c.expected == ReadFailure::None ? 0 : -1)
            << kind << c.what;
        EXPECT_EQ(reader(c.kind).Failure(), c.expected)
            << kind << c.what << ": got "
            << ReadFailureText(reader(c.kind).Failure()).toStdString();
    }
    for (const QString& path : {m_dir.filePath(QStringLiteral("gone")), folder, fifo}) {
        for (const Kind kind : {Kind::Mp4, Kind::Avi}) {
            EXPECT_EQ(reader(kind).Parse(path), -1) << path.toStdString();
            EXPECT_EQ(reader(kind).Failure(), ReadFailure::CannotOpen) << path.toStdString();
        }
    }
}

} // namespace
