// Writes small valid inputs for one fuzz target into a folder: fuzz_seeds mp4|avi|nmea DIR.

#include "ByteWriter.h"
#include "CameraFixtures.h"

#include <cstdio>
#include <string>
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

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: fuzz_seeds mp4|avi|nmea DIR\n");
        return 2;
    }
    const std::string kind = argv[1];
    const std::vector<std::string> seeds = kind == "mp4"   ? Mp4Seeds()
                                           : kind == "avi" ? AviSeeds()
                                                           : NmeaSeeds();
    for (size_t i = 0; i < seeds.size(); ++i)
        bytes::WriteFile(std::string(argv[2]) + "/seed-" + std::to_string(i), seeds[i]);
    return 0;
}
