#include "track/CKtrAviParser.h"

#include "track/FourCc.h"

#include <algorithm>

namespace {

constexpr uint32_t kRiff = FourCc("RIFF");
constexpr uint32_t kList = FourCc("LIST");
constexpr uint32_t kJunk = FourCc("JUNK");
constexpr uint32_t kIdx1 = FourCc("idx1");
constexpr uint32_t kIndx = FourCc("indx");
constexpr uint32_t kHdrl = FourCc("hdrl");
constexpr uint32_t kStrl = FourCc("strl");
constexpr uint32_t kAvih = FourCc("avih");
constexpr uint32_t kMovi = FourCc("movi");
constexpr uint32_t kStrh = FourCc("strh");
constexpr uint32_t kStrf = FourCc("strf");
constexpr uint32_t kVids = FourCc("vids");
constexpr uint32_t kAuds = FourCc("auds");

constexpr uint32_t kFieldBytes = 4; // an ID or a size
constexpr uint64_t kRiffHeaderBytes = 8;

// Main AVI header: microseconds per frame and total frames, little-endian 32-bit.
constexpr uint32_t kAvihMaxBytes = 56;
constexpr size_t kAvihMicrosPerFrameAt = 0;
constexpr size_t kAvihTotalFramesAt = 16;
// Stream header: the stream type code comes first.
constexpr uint32_t kStrhMaxBytes = 64;
// Video format: width and height, little-endian signed 32-bit.
constexpr uint32_t kVideoFormatMaxBytes = 40;
constexpr size_t kFormatWidthAt = 4;
constexpr size_t kFormatHeightAt = 8;

constexpr uint64_t kMicrosPerMs = 1000;

} // namespace

void CKtrAviParser::SetInfoTarget(RecordingInfo* info) {
    m_infoTarget = info;
}

void CKtrAviParser::SetStatusTarget(FileStatus* status) {
    m_statusTarget = status;
}

int32_t CKtrAviParser::Parse(const QString& path) {
    return ReadFile(path, [this] { return ReadChunks(); });
}

ReadFailure CKtrAviParser::ReadChunks() {
    m_file.Seek(0);
    const uint32_t id = ReadId();
    ReadSize(); // the RIFF size is not used for anything
    if (id != kRiff)
        return ReadFailure::NotRecognised;
    m_results.fileSize = m_file.Length();
    if (Walk())
        return ReadFailure::Truncated;
    const bool complete =
        m_results.width != 0 && m_results.height != 0 && m_results.durationMs != 0;
    return complete ? ReadFailure::None : ReadFailure::NoIndexBox;
}

uint32_t CKtrAviParser::ReadId() {
    uint8_t raw[kFieldBytes];
    m_file.ReadExact(raw, sizeof raw);
    return BigEndian32(raw);
}

uint32_t CKtrAviParser::ReadSize() {
    uint8_t raw[kFieldBytes];
    m_file.ReadExact(raw, sizeof raw);
    return LittleEndian32(raw);
}

bool CKtrAviParser::Walk() {
    const uint64_t fileSize = m_results.fileSize;
    bool truncated = false;
    // The form type after "RIFF" is met first, as an ID nobody handles. Every step moves
    // past at least one 4-byte ID, so the walk always ends.
    uint64_t p = kRiffHeaderBytes;
    while (!DateRefused() && p < fileSize && fileSize - p >= kFieldBytes) {
        m_file.Seek(p);
        const uint32_t id = ReadId();
        p += kFieldBytes;
        if (IsCameraPayload(id)) {
            const uint32_t size = ReadSize();
            p = ReadCameraPayload(id, p + kFieldBytes, size);
            continue;
        }
        switch (id) {
        case kJunk:
        case kIdx1:
        case kIndx:
            p += kFieldBytes + uint64_t{ReadSize()};
            break;
        case kList: {
            const uint64_t end = p + kFieldBytes + ReadSize();
            const uint32_t type = ReadId();
            p += 2 * kFieldBytes;
            if (type == kHdrl || type == kStrl || type == kAvih)
                break; // entered: the walk goes on inside
            if (type == kMovi && end > fileSize)
                truncated = true;
            p = end;
            break;
        }
        case kAvih: {
            const uint32_t size = ReadSize();
            uint8_t header[kAvihMaxBytes] = {};
            const uint32_t bytes = std::min(size, kAvihMaxBytes);
            m_file.ReadExact(header, bytes);
            p += kFieldBytes + bytes;
            const uint64_t micros = uint64_t{LittleEndian32(header + kAvihMicrosPerFrameAt)} *
                                    LittleEndian32(header + kAvihTotalFramesAt);
            m_results.durationMs = static_cast<uint32_t>(micros / kMicrosPerMs);
            m_results.durationSeconds = m_results.durationMs / kMsPerSecond;
            break;
        }
        case kStrh:
            p = ReadStreamHeader(p, ReadSize());
            break;
        default:
            break; // unknown: its size and data are looked at 4 bytes at a time as IDs
        }
    }
    return truncated;
}

// Reads a stream header whose size field was just read at p, and for a video stream the
// format chunk that follows it; returns where the walk goes on.
uint64_t CKtrAviParser::ReadStreamHeader(uint64_t p, uint32_t size) {
    uint8_t header[kStrhMaxBytes] = {};
    const uint32_t bytes = std::min(size, kStrhMaxBytes);
    m_file.ReadExact(header, bytes);
    const uint64_t q = p + kFieldBytes + bytes;
    const uint32_t streamType = BigEndian32(header);
    if (streamType != kVids && streamType != kAuds)
        return q;
    if (ReadId() != kStrf)
        return q + kFieldBytes;
    const uint32_t formatSize = ReadSize();
    if (streamType == kAuds)
        return q + 2 * kFieldBytes + formatSize;
    uint8_t format[kVideoFormatMaxBytes] = {};
    const uint32_t formatBytes = std::min(formatSize, kVideoFormatMaxBytes);
    m_file.ReadExact(format, formatBytes);
    m_results.width = static_cast<uint16_t>(LittleEndian32(format + kFormatWidthAt));
    m_results.height = static_cast<uint16_t>(LittleEndian32(format + kFormatHeightAt));
    return q + 2 * kFieldBytes + formatBytes;
}
