#include "track/CKtr3gpParser.h"

#include "track/FourCc.h"

namespace {

constexpr uint32_t kBoxHeaderBytes = 8;

constexpr uint32_t kFtyp = FourCc("ftyp");
constexpr uint32_t kMoov = FourCc("moov");
constexpr uint32_t kTrak = FourCc("trak");
constexpr uint32_t kMdia = FourCc("mdia");
constexpr uint32_t kMdhd = FourCc("mdhd");
constexpr uint32_t kMinf = FourCc("minf");
constexpr uint32_t kStbl = FourCc("stbl");
constexpr uint32_t kStsd = FourCc("stsd");
constexpr uint32_t kAvc1 = FourCc("avc1");

// Version-0 media header: timescale and duration, both big-endian 32-bit.
constexpr size_t kMdhdUsedBytes = 20;
constexpr size_t kMdhdTimescaleAt = 12;
constexpr size_t kMdhdDurationAt = 16;
// Sample description header: version and flags, then the entry count.
constexpr size_t kStsdHeaderBytes = 8;
constexpr size_t kStsdCountAt = 4;
// Visual sample entry: width and height, big-endian 16-bit.
constexpr size_t kAvc1UsedBytes = 28;
constexpr size_t kAvc1WidthAt = 24;
constexpr size_t kAvc1HeightAt = 26;

struct BoxHeader {
    uint32_t size;
    uint32_t type;
};

BoxHeader ReadBoxHeader(BinaryFile& file, uint64_t at) {
    uint8_t raw[kBoxHeaderBytes];
    file.Seek(at);
    file.ReadExact(raw, sizeof raw);
    return {BigEndian32(raw), BigEndian32(raw + 4)};
}

} // namespace

void CKtr3gpParser::SetInfoTarget(RecordingInfo* info) {
    m_infoTarget = info;
}

void CKtr3gpParser::SetStatusTarget(FileStatus* status) {
    m_statusTarget = status;
}

int32_t CKtr3gpParser::Parse(const QString& path) {
    return ReadFile(path, [this] { return ReadBoxes(); });
}

ReadFailure CKtr3gpParser::ReadBoxes() {
    const BoxHeader first = ReadBoxHeader(m_file, 0);
    if (first.type != kFtyp)
        return ReadFailure::NotRecognised;
    m_results.fileSize = m_file.Length();
    Walk(first.size);
    const bool complete =
        m_results.width != 0 && m_results.height != 0 && m_results.durationMs != 0;
    return complete ? ReadFailure::None : ReadFailure::NoIndexBox;
}

void CKtr3gpParser::Walk(uint64_t p) {
    const uint64_t fileSize = m_results.fileSize;
    // p only grows: every step moves past at least a header, and a size below 8 wraps the
    // 32-bit content length to nearly 4 GiB.
    while (!DateRefused() && p < fileSize && fileSize - p >= kBoxHeaderBytes) {
        const BoxHeader box = ReadBoxHeader(m_file, p);
        p += kBoxHeaderBytes;
        const uint32_t length = box.size - kBoxHeaderBytes;
        if (IsCameraPayload(box.type)) {
            p = ReadCameraPayload(box.type, p, length);
        } else if (box.type == kMoov) {
            // The walk then goes on into the children of "moov".
            ReadMovie(p, length);
        } else {
            p += length;
        }
    }
}

void CKtr3gpParser::ReadMovie(uint64_t offset, uint32_t length) {
    static constexpr uint32_t kMdhdPath[] = {kTrak, kMdia, kMdhd};
    if (const auto mdhd = FindPath(offset, length, kMdhdPath);
        mdhd && mdhd->length >= kMdhdUsedBytes) {
        uint8_t raw[kMdhdUsedBytes];
        m_file.Seek(mdhd->offset);
        m_file.ReadExact(raw, sizeof raw);
        const uint64_t timescale = BigEndian32(raw + kMdhdTimescaleAt);
        const uint64_t duration = BigEndian32(raw + kMdhdDurationAt);
        if (timescale != 0)
            m_results.durationMs = static_cast<uint32_t>(duration * kMsPerSecond / timescale);
    }

    static constexpr uint32_t kStsdPath[] = {kTrak, kMdia, kMinf, kStbl, kStsd};
    const auto stsd = FindPath(offset, length, kStsdPath);
    if (!stsd)
        return;
    uint8_t header[kStsdHeaderBytes];
    m_file.Seek(stsd->offset);
    m_file.ReadExact(header, sizeof header);
    if (BigEndian32(header + kStsdCountAt) == 0)
        return;
    const auto avc1 = FindChild(stsd->offset + kStsdHeaderBytes, stsd->length, kAvc1);
    if (!avc1 || avc1->length < kAvc1UsedBytes)
        return;
    uint8_t entry[kAvc1UsedBytes];
    m_file.Seek(avc1->offset);
    m_file.ReadExact(entry, sizeof entry);
    m_results.width = BigEndian16(entry + kAvc1WidthAt);
    m_results.height = BigEndian16(entry + kAvc1HeightAt);
}

std::optional<CKtr3gpParser::Content> CKtr3gpParser::FindChild(uint64_t start, uint64_t limit,
                                                               uint32_t type) {
    const uint64_t fileSize = m_results.fileSize;
    uint64_t total = 0;
    while (total < limit) {
        if (start >= fileSize || fileSize - start < kBoxHeaderBytes)
            return std::nullopt;
        const BoxHeader child = ReadBoxHeader(m_file, start);
        // A child smaller than its own header would never advance the search and has no
        // content to speak of: it counts as absent.
        if (child.size < kBoxHeaderBytes)
            return std::nullopt;
        if (child.type == type)
            return Content{start + kBoxHeaderBytes, child.size - kBoxHeaderBytes};
        total += child.size;
        start += child.size;
    }
    return std::nullopt;
}

template <size_t N>
std::optional<CKtr3gpParser::Content> CKtr3gpParser::FindPath(uint64_t start, uint64_t limit,
                                                              const uint32_t (&path)[N]) {
    std::optional<Content> found;
    for (const uint32_t type : path) {
        found = FindChild(start, limit, type);
        if (!found)
            return std::nullopt;
        start = found->offset;
        limit = found->length;
    }
    return found;
}
