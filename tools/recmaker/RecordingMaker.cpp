#include "recmaker/RecordingMaker.h"

#include "recmaker/ByteIo.h"
#include "track/NmeaSidecarReader.h"

#include <QFile>
#include <QSaveFile>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

namespace {

constexpr qsizetype kBoxHeader = 8;
constexpr qsizetype kLargeBoxHeader = 16;
constexpr qsizetype kChunkHeader = 8;
constexpr qsizetype kListHeader = 12; // "LIST", size, list type
constexpr qsizetype kIdx1Entry = 16;
constexpr uint8_t kTsSyncByte = 0x47;
constexpr double kKmhPerKnot = 1.852;
constexpr double kDefaultFullScale = 8.0;
constexpr int kSamplesPerSecondPerRateCode = 2;

bool Fail(QString* error, const QString& message) {
    if (error)
        *error = message;
    return false;
}

QByteArray FourCc(const char* code) {
    return QByteArray(code, 4);
}

template <typename Record> QByteArray RecordBytes(const std::vector<Record>& records) {
    QByteArray bytes(static_cast<qsizetype>(records.size() * sizeof(Record)), '\0');
    if (!records.empty())
        std::memcpy(bytes.data(), records.data(), static_cast<size_t>(bytes.size()));
    return bytes;
}

QByteArray RateBytes(const std::array<uint8_t, 4>& rate) {
    return QByteArray(reinterpret_cast<const char*>(rate.data()), 4);
}

// The camera payloads in writing order; the caller frames each one as a box or a chunk.
std::vector<std::pair<QByteArray, QByteArray>> CameraPayloads(const CameraTrack& track) {
    std::vector<std::pair<QByteArray, QByteArray>> payloads;
    payloads.emplace_back(FourCc("gpsa"), RateBytes(track.gpsRate));
    payloads.emplace_back(FourCc("gsea"), RateBytes(track.gsensorRate));
    if (!track.idit.isEmpty())
        payloads.emplace_back(FourCc("IDIT"), track.idit);
    if (!track.points.empty())
        payloads.emplace_back(FourCc("gps0"), RecordBytes(track.points));
    if (!track.gsensor.empty())
        payloads.emplace_back(FourCc("gsen"), RecordBytes(track.gsensor));
    return payloads;
}

bool ReadWholeFile(const QString& path, QByteArray& bytes, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Fail(error, QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return Fail(error, QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
    return true;
}

bool WriteWholeFile(const QString& path, const QByteArray& bytes, QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return Fail(error, QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
    return true;
}

// ---- ISO base media ----------------------------------------------------------------------

struct IsoBox {
    qsizetype offset = 0;
    qsizetype header = 0;
    qsizetype size = 0;
    QByteArray type;

    qsizetype content() const { return offset + header; }
    qsizetype end() const { return offset + size; }
};

// The boxes that tile [begin, end). A box that runs to the end of the file (size 0) is
// refused: appending after it would silently grow it.
bool ReadBoxes(const QByteArray& file, qsizetype begin, qsizetype end, std::vector<IsoBox>& boxes,
               QString* error) {
    boxes.clear();
    qsizetype p = begin;
    while (p < end) {
        if (end - p < kBoxHeader)
            return Fail(error, QStringLiteral("truncated box header at offset %1").arg(p));
        IsoBox box;
        box.offset = p;
        box.header = kBoxHeader;
        box.type = file.mid(p + 4, 4);
        uint64_t size = byteio::ReadBe(file, p, 4);
        if (size == 1) {
            if (end - p < kLargeBoxHeader)
                return Fail(error, QStringLiteral("truncated box header at offset %1").arg(p));
            size = byteio::ReadBe(file, p + 8, 8);
            box.header = kLargeBoxHeader;
        } else if (size == 0) {
            return Fail(error, QStringLiteral("box \"%1\" runs to the end of the file")
                                   .arg(QString::fromLatin1(box.type)));
        }
        if (size < static_cast<uint64_t>(box.header) || size > static_cast<uint64_t>(end - p))
            return Fail(error, QStringLiteral("box \"%1\" at offset %2 has a bad size")
                                   .arg(QString::fromLatin1(box.type))
                                   .arg(p));
        box.size = static_cast<qsizetype>(size);
        boxes.push_back(box);
        p += box.size;
    }
    return true;
}

const IsoBox* FindBox(const std::vector<IsoBox>& boxes, const char* type) {
    for (const IsoBox& box : boxes)
        if (box.type == FourCc(type))
            return &box;
    return nullptr;
}

void SetBoxSize(QByteArray& file, const IsoBox& box, qsizetype newSize) {
    if (box.header == kLargeBoxHeader)
        byteio::WriteBe(file, box.offset + 8, 8, static_cast<uint64_t>(newSize));
    else
        byteio::WriteBe(file, box.offset, 4, static_cast<uint64_t>(newSize));
}

bool SizeFits(const IsoBox& box, qsizetype newSize) {
    return box.header == kLargeBoxHeader ||
           newSize <= static_cast<qsizetype>(std::numeric_limits<uint32_t>::max());
}

// Adds delta to every chunk offset at or after `from` in the stco/co64 tables below `parent`.
bool ShiftChunkOffsets(QByteArray& file, const IsoBox& parent, qsizetype from, qsizetype delta,
                       QString* error) {
    std::vector<IsoBox> children;
    if (!ReadBoxes(file, parent.content(), parent.end(), children, error))
        return false;
    for (const IsoBox& child : children) {
        if (child.type == "trak" || child.type == "mdia" || child.type == "minf" ||
            child.type == "stbl") {
            if (!ShiftChunkOffsets(file, child, from, delta, error))
                return false;
            continue;
        }
        const int width = child.type == "stco" ? 4 : child.type == "co64" ? 8 : 0;
        if (width == 0)
            continue;
        constexpr qsizetype kTableHeader = 8; // version and flags, entry count
        const qsizetype table = child.content() + kTableHeader;
        if (table > child.end())
            return Fail(error, QStringLiteral("truncated chunk offset table"));
        const uint64_t count = byteio::ReadBe(file, child.content() + 4, 4);
        if (count > static_cast<uint64_t>((child.end() - table) / width))
            return Fail(error, QStringLiteral("chunk offset table longer than its box"));
        for (qsizetype i = 0; i < static_cast<qsizetype>(count); ++i) {
            const qsizetype at = table + i * width;
            const uint64_t offset = byteio::ReadBe(file, at, width);
            if (offset < static_cast<uint64_t>(from))
                continue;
            const uint64_t moved = offset + static_cast<uint64_t>(delta);
            if (width == 4 && moved > std::numeric_limits<uint32_t>::max())
                return Fail(error, QStringLiteral("moved chunk offsets no longer fit in \"stco\""));
            byteio::WriteBe(file, at, width, moved);
        }
    }
    return true;
}

QByteArray CameraBoxes(const CameraTrack& track) {
    QByteArray boxes;
    for (const auto& [type, payload] : CameraPayloads(track))
        boxes += byteio::Be32(static_cast<uint32_t>(payload.size() + kBoxHeader)) + type + payload;
    return boxes;
}

// ---- RIFF ----------------------------------------------------------------------------------

struct RiffChunk {
    qsizetype offset = 0;
    QByteArray id;
    qsizetype size = 0;
    QByteArray listType; // for "LIST" and "RIFF"

    qsizetype data() const { return offset + kChunkHeader; }
    qsizetype end() const { return data() + size + (size & 1); }
};

bool ReadChunks(const QByteArray& file, qsizetype begin, qsizetype end,
                std::vector<RiffChunk>& chunks, QString* error) {
    chunks.clear();
    qsizetype p = begin;
    while (end - p >= kChunkHeader) {
        RiffChunk chunk;
        chunk.offset = p;
        chunk.id = file.mid(p, 4);
        chunk.size = static_cast<qsizetype>(byteio::ReadLe(file, p + 4, 4));
        if (chunk.size > end - chunk.data())
            return Fail(error, QStringLiteral("chunk \"%1\" at offset %2 runs past its list")
                                   .arg(QString::fromLatin1(chunk.id))
                                   .arg(p));
        if (chunk.id == "LIST" || chunk.id == "RIFF") {
            if (chunk.size < 4)
                return Fail(error, QStringLiteral("list at offset %1 has no type").arg(p));
            chunk.listType = file.mid(chunk.data(), 4);
        }
        chunks.push_back(chunk);
        p = chunk.end();
    }
    return true;
}

const RiffChunk* FindList(const std::vector<RiffChunk>& chunks, const char* type) {
    for (const RiffChunk& chunk : chunks)
        if (chunk.id == "LIST" && chunk.listType == FourCc(type))
            return &chunk;
    return nullptr;
}

// An OpenDML super index holds absolute offsets into further index chunks; moving those is
// not supported, so such files are refused rather than written with broken indexes.
bool HasOpenDmlIndex(const QByteArray& file, const RiffChunk& list, QString* error, bool& found) {
    std::vector<RiffChunk> chunks;
    if (!ReadChunks(file, list.data() + 4, list.data() + list.size, chunks, error))
        return false;
    for (const RiffChunk& chunk : chunks) {
        if (chunk.id == "indx")
            found = true;
        else if (chunk.id == "LIST" && !HasOpenDmlIndex(file, chunk, error, found))
            return false;
    }
    return true;
}

QByteArray CameraChunks(const CameraTrack& track) {
    QByteArray chunks;
    for (auto [id, payload] : CameraPayloads(track)) {
        // The camera's readers never skip a pad byte, so every chunk keeps an even size.
        if (payload.size() % 2 != 0)
            payload.append('\0');
        chunks += id + byteio::Le32(static_cast<uint32_t>(payload.size())) + payload;
    }
    return chunks;
}

// idx1 offsets are normally counted from the "movi" list type; some writers use file offsets.
bool Idx1IsAbsolute(const QByteArray& file, const RiffChunk& idx1, const RiffChunk& movi) {
    if (idx1.size < kIdx1Entry)
        return false;
    const QByteArray id = file.mid(idx1.data(), 4);
    const qsizetype offset = static_cast<qsizetype>(byteio::ReadLe(file, idx1.data() + 8, 4));
    const qsizetype relative = movi.data() + offset;
    if (relative + 4 <= file.size() && file.mid(relative, 4) == id)
        return false;
    return offset + 4 <= file.size() && file.mid(offset, 4) == id;
}

// ---- NMEA ----------------------------------------------------------------------------------

template <typename... Args> QByteArray Format(const char* format, Args... args) {
    const int length = std::snprintf(nullptr, 0, format, args...);
    QByteArray text(length, '\0');
    std::snprintf(text.data(), static_cast<size_t>(length) + 1, format, args...);
    return text;
}

QByteArray WithChecksum(const QByteArray& body) {
    uint8_t sum = 0;
    for (char c : body)
        sum ^= static_cast<uint8_t>(c);
    return "$" + body + "*" + QByteArray::number(sum, 16).rightJustified(2, '0').toUpper();
}

QByteArray RmcSentence(const TrackPoint& point) {
    if (!point.fixValid())
        return WithChecksum("GNRMC,,V,,,,,,,,,,N");
    const bool dated = point.year != 0;
    const QByteArray time = dated
                                ? Format("%02d%02d%02d.00", point.hour, point.minute, point.second)
                                : QByteArray("000000.00");
    const QByteArray date =
        dated ? Format("%02d%02d%02d", point.day, point.month, point.year) : QByteArray();
    // Knots rounded up at the last written digit, so that knots x 1.852 truncated gives
    // back the stored km/h.
    constexpr double kKnotDigits = 1e4;
    const double knots = (std::floor(point.speedKmh / kKmhPerKnot * kKnotDigits) + 1) / kKnotDigits;
    return WithChecksum(Format("GNRMC,%s,A,%010.5f,%c,%011.5f,%c,%.4f,%.1f,%s,,,A",
                               time.constData(), std::fabs(point.latitudeNmea),
                               point.latitudeNmea < 0 ? 'S' : 'N', std::fabs(point.longitudeNmea),
                               point.longitudeNmea < 0 ? 'W' : 'E', knots,
                               point.headingHalfDeg * 2.0, date.constData()));
}

// A count is a multiple of fullScale / 128, which seven decimals hold exactly; the reader's
// x 512 then truncates to the intended value rather than one below it.
QByteArray GValue(int8_t count, double fullScale) {
    constexpr int kMinDecimals = 3;
    QByteArray text = Format("%.7f", GSensorCountToG(count, fullScale));
    const qsizetype keep = text.indexOf('.') + 1 + kMinDecimals;
    while (text.size() > keep && text.endsWith('0'))
        text.chop(1);
    return text;
}

QByteArray GSensorSentence(const GSensorSample& sample, double fullScale) {
    return "$GSENSORD," + GValue(GSensorCount(sample.x), fullScale) + "," +
           GValue(GSensorCount(sample.y), fullScale) + "," +
           GValue(GSensorCount(sample.z), fullScale);
}

} // namespace

bool AddCameraBoxes(QByteArray& mp4, const CameraTrack& track, BoxPlacement placement,
                    QString* error) {
    if (mp4.size() < kBoxHeader || mp4.mid(4, 4) != "ftyp")
        return Fail(error, QStringLiteral("not an MP4/3GP file (no \"ftyp\" box first)"));
    std::vector<IsoBox> top;
    if (!ReadBoxes(mp4, 0, mp4.size(), top, error))
        return false;
    const IsoBox* moov = FindBox(top, "moov");
    const IsoBox* mdat = FindBox(top, "mdat");
    if (!moov)
        return Fail(error, QStringLiteral("no \"moov\" box"));
    if (!mdat && placement == BoxPlacement::BeforeMdat)
        return Fail(error, QStringLiteral("no \"mdat\" box"));

    const QByteArray boxes = CameraBoxes(track);
    const qsizetype delta = boxes.size();
    qsizetype insertAt = 0;
    switch (placement) {
    case BoxPlacement::BeforeMdat:
        insertAt = mdat->offset;
        break;
    case BoxPlacement::AtEnd:
        insertAt = mp4.size();
        break;
    case BoxPlacement::InsideMoov:
        insertAt = moov->end();
        if (!SizeFits(*moov, moov->size + delta))
            return Fail(error, QStringLiteral("\"moov\" would outgrow its 32-bit size"));
        break;
    }

    IsoBox movedMoov = *moov;
    if (movedMoov.offset >= insertAt)
        movedMoov.offset += delta;
    mp4.insert(insertAt, boxes);
    if (placement == BoxPlacement::InsideMoov) {
        movedMoov.size += delta;
        SetBoxSize(mp4, movedMoov, movedMoov.size);
    }
    return ShiftChunkOffsets(mp4, movedMoov, insertAt, delta, error);
}

bool AddCameraChunks(QByteArray& avi, const CameraTrack& track, QString* error) {
    if (avi.size() < kListHeader || avi.first(4) != "RIFF" || avi.mid(8, 4) != "AVI ")
        return Fail(error, QStringLiteral("not an AVI file (no \"RIFF\" \"AVI \" header)"));
    std::vector<RiffChunk> riff;
    if (!ReadChunks(avi, 0, avi.size(), riff, error))
        return false;
    if (riff.size() > 1)
        return Fail(error, QStringLiteral("AVI files with more than one RIFF list (OpenDML) "
                                          "are not supported"));
    const RiffChunk& file = riff.front();
    std::vector<RiffChunk> top;
    if (!ReadChunks(avi, file.data() + 4, file.data() + file.size, top, error))
        return false;
    const RiffChunk* hdrl = FindList(top, "hdrl");
    const RiffChunk* movi = FindList(top, "movi");
    if (!hdrl || !movi)
        return Fail(error, QStringLiteral("no \"hdrl\" or \"movi\" list"));
    bool openDml = false;
    if (!HasOpenDmlIndex(avi, *hdrl, error, openDml))
        return false;
    if (openDml)
        return Fail(error, QStringLiteral("AVI files with an OpenDML index are not supported"));

    const QByteArray chunks = CameraChunks(track);
    const qsizetype delta = chunks.size();
    if (file.size + delta > static_cast<qsizetype>(std::numeric_limits<uint32_t>::max()))
        return Fail(error, QStringLiteral("the RIFF list would outgrow its 32-bit size"));

    const RiffChunk* idx1 = nullptr;
    for (const RiffChunk& chunk : top)
        if (chunk.id == "idx1")
            idx1 = &chunk;
    const bool shiftIndex = idx1 && Idx1IsAbsolute(avi, *idx1, *movi);
    if (shiftIndex) {
        for (qsizetype at = idx1->data(); at + kIdx1Entry <= idx1->data() + idx1->size;
             at += kIdx1Entry) {
            const uint64_t moved = byteio::ReadLe(avi, at + 8, 4) + static_cast<uint64_t>(delta);
            if (moved > std::numeric_limits<uint32_t>::max())
                return Fail(error, QStringLiteral("moved idx1 offsets no longer fit"));
            byteio::WriteLe(avi, at + 8, 4, moved);
        }
    }

    avi.insert(hdrl->data() + hdrl->size, chunks);
    byteio::WriteLe(avi, hdrl->offset + 4, 4, static_cast<uint64_t>(hdrl->size + delta));
    byteio::WriteLe(avi, file.offset + 4, 4, static_cast<uint64_t>(file.size + delta));
    return true;
}

bool MakeMp4Recording(const QString& clipPath, const QString& outPath, const CameraTrack& track,
                      BoxPlacement placement, QString* error) {
    QByteArray bytes;
    return ReadWholeFile(clipPath, bytes, error) &&
           AddCameraBoxes(bytes, track, placement, error) && WriteWholeFile(outPath, bytes, error);
}

bool MakeAviRecording(const QString& clipPath, const QString& outPath, const CameraTrack& track,
                      QString* error) {
    QByteArray bytes;
    return ReadWholeFile(clipPath, bytes, error) && AddCameraChunks(bytes, track, error) &&
           WriteWholeFile(outPath, bytes, error);
}

bool MakeTsRecording(const QString& clipPath, const QString& outPath, const CameraTrack& track,
                     QString* error) {
    QByteArray bytes;
    if (!ReadWholeFile(clipPath, bytes, error))
        return false;
    if (bytes.isEmpty() || static_cast<uint8_t>(bytes[0]) != kTsSyncByte)
        return Fail(error, QStringLiteral("%1 is not a transport stream").arg(clipPath));
    return WriteWholeFile(outPath, bytes, error) &&
           WriteWholeFile(NmeaSidecarPath(outPath), NmeaSidecarText(track), error);
}

QByteArray NmeaSidecarText(const CameraTrack& track) {
    const double fullScale = track.gsensorRate[1] ? track.gsensorRate[1] : kDefaultFullScale;
    const double pointsPerSecond = track.gpsRate[0] ? track.gpsRate[0] : 1;
    const double samplesPerPoint =
        kSamplesPerSecondPerRateCode * track.gsensorRate[0] / pointsPerSecond;
    QByteArray text;
    size_t sample = 0;
    for (size_t i = 0; i < track.points.size(); ++i) {
        text += RmcSentence(track.points[i]) + "\r\n";
        const bool last = i + 1 == track.points.size();
        const double until = (i + 1) * samplesPerPoint;
        for (; sample < track.gsensor.size() && (last || sample < until); ++sample)
            text += GSensorSentence(track.gsensor[sample], fullScale) + "\r\n";
    }
    for (; sample < track.gsensor.size(); ++sample)
        text += GSensorSentence(track.gsensor[sample], fullScale) + "\r\n";
    return text;
}
