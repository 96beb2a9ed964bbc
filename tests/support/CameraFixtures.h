#pragma once

// Smallest recordings the track readers accept, built from bytes: tests add or break the
// pieces they are about. No media data is needed, the readers never decode.

#include "ByteWriter.h"
#include "track/TrackRecords.h"

#include <cstdint>
#include <string>

namespace fixtures {

inline std::string Ftyp() {
    return bytes::Box("ftyp", "isom" + bytes::BE32(0x200) + "isomavc1");
}

// Version-0 media header: flags, two dates, timescale, duration, language.
inline std::string Mdhd(uint32_t timescale, uint32_t duration) {
    return bytes::Box("mdhd", bytes::Zeros(12) + bytes::BE32(timescale) + bytes::BE32(duration) +
                                  bytes::Zeros(4));
}

// An "avc1" visual sample entry: 24 bytes up to the width, then width and height.
inline std::string Avc1(uint16_t width, uint16_t height) {
    return bytes::Box("avc1", bytes::Zeros(24) + bytes::BE16(width) + bytes::BE16(height) +
                                  bytes::Zeros(50));
}

inline std::string Stsd(const std::string& entry) {
    return bytes::Box("stsd", bytes::BE32(0) + bytes::BE32(1) + entry);
}

// moov > trak > mdia > {mdhd, minf > stbl > stsd}; extra goes into moov after the track.
inline std::string Moov(const std::string& mdhd, const std::string& stsd,
                        const std::string& extra = {}) {
    using bytes::Box;
    const std::string minf = Box("minf", Box("vmhd", bytes::Zeros(12)) + Box("stbl", stsd));
    const std::string trak = Box("trak", Box("tkhd", bytes::Zeros(84)) + Box("mdia", mdhd + minf));
    return Box("moov", Box("mvhd", bytes::Zeros(100)) + trak + extra);
}

inline std::string Moov(uint32_t timescale, uint32_t duration, uint16_t width, uint16_t height,
                        const std::string& extra = {}) {
    return Moov(Mdhd(timescale, duration), Stsd(Avc1(width, height)), extra);
}

inline TrackPoint Point(uint8_t year, uint8_t month, uint8_t day, uint8_t hour, uint8_t minute,
                        uint8_t second) {
    TrackPoint p{};
    p.latitudeNmea = 4807.038;
    p.longitudeNmea = 1131.0;
    p.speedKmh = 50;
    p.year = year;
    p.month = month;
    p.day = day;
    p.hour = hour;
    p.minute = minute;
    p.second = second;
    p.flags = TrackPoint::kFixValid;
    return p;
}

inline TrackPoint UndatedPoint() {
    return Point(0, 0, 0, 0, 0, 0);
}

// The payload of "gpsa"/"gsea": four bytes, byte 0 the rate.
inline std::string Rate(uint8_t b0, uint8_t b1 = 0, uint8_t b2 = 0, uint8_t b3 = 0) {
    return bytes::U8(b0) + bytes::U8(b1) + bytes::U8(b2) + bytes::U8(b3);
}

// Main AVI header: microseconds per frame at 0, total frames at 16, 56 bytes.
inline std::string Avih(uint32_t microsPerFrame, uint32_t frames) {
    return bytes::Chunk("avih", bytes::LE32(microsPerFrame) + bytes::Zeros(12) +
                                    bytes::LE32(frames) + bytes::Zeros(36));
}

// A stream list: 56-byte stream header of the given type and its format chunk.
inline std::string Strl(const std::string& type, const std::string& format) {
    return bytes::List("strl", bytes::Chunk("strh", type + bytes::Zeros(52)) +
                                   bytes::Chunk("strf", format));
}

// BITMAPINFOHEADER: size, width, height (signed), planes, bit count, compression, ...
inline std::string VideoFormat(int32_t width, int32_t height) {
    return bytes::LE32(40) + bytes::LE32(static_cast<uint32_t>(width)) +
           bytes::LE32(static_cast<uint32_t>(height)) + bytes::LE16(1) + bytes::LE16(24) + "H264" +
           bytes::Zeros(20);
}

// RIFF "AVI " with hdrl {avih, video strl, hdrlExtra}, then the movie list and an index.
inline std::string Avi(uint32_t microsPerFrame, uint32_t frames, int32_t width, int32_t height,
                       const std::string& hdrlExtra = {}, const std::string& afterHdrl = {}) {
    using bytes::Chunk;
    using bytes::List;
    const std::string hdrl = List("hdrl", Avih(microsPerFrame, frames) +
                                              Strl("vids", VideoFormat(width, height)) + hdrlExtra);
    const std::string movi =
        List("movi", Chunk("00dc", bytes::Zeros(16)) + Chunk("00dc", bytes::Zeros(8)));
    return Chunk("RIFF", "AVI " + hdrl + afterHdrl + movi + Chunk("idx1", bytes::Zeros(32)));
}

} // namespace fixtures
