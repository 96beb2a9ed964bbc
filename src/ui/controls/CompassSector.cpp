#include "ui/controls/CompassSector.h"

namespace {

constexpr int kFullTurn = 360;
constexpr int kSectorDegrees = 45;
// A heading more than this past a sector's start rounds to the next sector.
constexpr int kHalfSector = 22;

} // namespace

int CompassImageIndex(uint8_t headingHalfDeg, int imageCount) {
    if (imageCount <= 0)
        return 0;
    const int heading = 2 * headingHalfDeg;
    // The byte reaches 510 degrees; anything past a full turn wraps.
    const int turn = ((kFullTurn - heading) % kFullTurn + kFullTurn) % kFullTurn;
    int sector = turn / kSectorDegrees;
    if (turn % kSectorDegrees > kHalfSector)
        ++sector;
    return sector % imageCount + 1;
}
