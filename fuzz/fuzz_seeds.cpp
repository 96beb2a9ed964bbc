// Writes small valid inputs for one fuzz target into a folder:
// fuzz_seeds mp4|avi|nmea|ini|scan|export DIR.

#include "ByteWriter.h"
#include "CameraFixtures.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace {

std::vector<std::string> Mp4Seeds() {
    using bytes::Box;
    const std::string points =
        bytes::Raw(fixtures::UndatedPoint()) + bytes::Raw(fixtures::Point(21, 5, 4, 10, 20, 30));
    return {
        fixtures::Ftyp() + fixtures::Moov(1000, 60000, 1920, 1080),
        fixtures::Ftyp() + Box("gpsa", fixtures::Rate(1)) + Box("gsea", fixtures::Rate(50, 2)) +
            Box("gps0", points) + Box("gsen", bytes::Zeros(24)) +
            fixtures::Moov(90000, 5400000, 1280, 720, Box("gps0", points)) +
            Box("mdat", bytes::Zeros(16)),
        fixtures::Ftyp() + Box("IDIT", "2021-05-04 10:20:30") + fixtures::Moov(600, 600, 640, 480),
    };
}

std::vector<std::string> AviSeeds() {
    using bytes::Chunk;
    const std::string points =
        bytes::Raw(fixtures::UndatedPoint()) + bytes::Raw(fixtures::Point(21, 5, 4, 10, 20, 30));
    return {
        fixtures::Avi(33366, 1800, 1280, 720),
        fixtures::Avi(40000, 25, 640, -480,
                      Chunk("gpsa", fixtures::Rate(1)) + Chunk("gsea", fixtures::Rate(50, 2)) +
                          Chunk("gps0", points) + Chunk("gsen", bytes::Zeros(24)) +
                          Chunk("IDIT", "2021-05-04 10:20:30") +
                          fixtures::Strl("auds", bytes::Zeros(18)),
                      bytes::List("INFO", Chunk("ISFT", "x")) + Chunk("JUNK", bytes::Zeros(12))),
    };
}

std::vector<std::string> NmeaSeeds() {
    return {
        "$GNRMC,123519.00,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A\r\n"
        "$GSENSORD,0.015,-0.250,1.002\r\n"
        "$GNRMC,,V,,,,,,,,,,N*53\r\n",
        "$GSENSORD,1e3,0x1p3,-.5\n $GNRMC,1,A,2\n$GNRMC,1,A,1,N,2,E,-3.0,0\n",
    };
}

std::string Utf16Le(std::u16string_view text) {
    std::string out;
    for (char16_t unit : text)
        out += bytes::LE16(unit);
    return out;
}

std::vector<std::string> IniSeeds() {
    const std::string file = "; mine\r\n[UI]\r\nLANGID=KOR\r\nMAP=1\r\n\r\n[WINPOS]\r\nLEFT=3\r\n";
    const std::string utf16 = "\xFF\xFE" + Utf16Le(u"[UI]\nA=1\n");
    return {
        bytes::LE16(static_cast<uint16_t>(file.size())) + file + "UI" + '\0' + "MAP" + '\0' + "0",
        bytes::LE16(static_cast<uint16_t>(file.size())) + file + "WINPOS" + '\0' + "TOP" + '\0' +
            " 5 ",
        bytes::LE16(static_cast<uint16_t>(utf16.size())) + utf16 + "UI" + '\0' + "B" + '\0' + "x",
    };
}

// Records of fuzz_scan: kind, name length, name, then the content's fields.
std::string ScanFile(uint8_t kind, const std::string& name, const std::string& fields) {
    return bytes::U8(kind) + bytes::U8(static_cast<uint8_t>(name.size())) + name + fields;
}

std::string IditFields(uint8_t minute, uint8_t second, uint16_t seconds) {
    return bytes::U8(24) + bytes::U8(5) + bytes::U8(15) + bytes::U8(8) + bytes::U8(minute) +
           bytes::U8(second) + bytes::LE16(seconds);
}

std::string OwnBytes(std::string_view content) {
    return bytes::LE16(static_cast<uint16_t>(content.size())) + std::string(content);
}

constexpr std::string_view kSidecar =
    "$GNRMC,,V,,,,,,,,,,N*53\n"
    "$GNRMC,081501.00,A,4807.038,N,01131.000,E,10.0,84.4,150524,,,A\n"
    "$GSENSORD,0.015,-0.250,1.002\n";

std::vector<std::string> ScanSeeds() {
    constexpr uint8_t kMp4 = 1, kAvi = 2, kOwnBytes = 3, kReadOnly = 4;
    return {
        ScanFile(kMp4, "F/KTR_0240515-081500F.MP4", IditFields(15, 0, 20)) +
            ScanFile(kMp4 | kReadOnly, "F/KTRG0240515-081520F.MP4", IditFields(15, 20, 20)) +
            ScanFile(kMp4, "R/KTR_0240515-081500R.MP4", IditFields(15, 0, 20)) +
            ScanFile(0, "notes.txt", bytes::LE16(10)),
        ScanFile(kAvi, "KTR_1234.AVI", IditFields(0, 0, 60)) +
            ScanFile(kAvi, "ktr_1235.AVI", IditFields(1, 0, 60)) +
            ScanFile(kOwnBytes, "KTR_1236.MP4", bytes::LE16(4) + "abcd") +
            ScanFile(kMp4, ".hidden/KTR_1237.MP4", IditFields(2, 0, 60)),
        // Transport streams: one with its sidecar, one without.
        ScanFile(kOwnBytes, "F/KTR_240515-081500F.TS", OwnBytes("\x47\x40\x00\x10")) +
            ScanFile(kOwnBytes, "F/KTR_240515-081500.NMEA", OwnBytes(kSidecar)) +
            ScanFile(kOwnBytes, "R/KTR_240515-081500R.TS", OwnBytes("\x47\x40\x00\x10")),
    };
}

// fuzz_export: name length in UTF-16 units, start time, playback time, name, points.
std::vector<std::string> ExportSeeds() {
    const std::u16string_view name = u"F/KTR_0240515-081500F.MP4 <&>";
    TrackPoint noFix = fixtures::Point(24, 5, 15, 8, 15, 1);
    noFix.flags = 0;
    const std::string points = bytes::Raw(fixtures::Point(24, 5, 15, 8, 15, 0)) +
                               bytes::Raw(noFix) + bytes::Raw(fixtures::UndatedPoint());
    return {
        bytes::U8(static_cast<uint8_t>(name.size())) + bytes::Raw(int64_t{1715760900}) +
            bytes::LE32(2500) + Utf16Le(name) + points,
    };
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: fuzz_seeds mp4|avi|nmea|ini|scan|export DIR\n");
        return 2;
    }
    const std::string kind = argv[1];
    const std::vector<std::string> seeds = kind == "mp4"      ? Mp4Seeds()
                                           : kind == "avi"    ? AviSeeds()
                                           : kind == "ini"    ? IniSeeds()
                                           : kind == "scan"   ? ScanSeeds()
                                           : kind == "export" ? ExportSeeds()
                                                              : NmeaSeeds();
    for (size_t i = 0; i < seeds.size(); ++i)
        bytes::WriteFile(std::string(argv[2]) + "/seed-" + std::to_string(i), seeds[i]);
    return 0;
}
