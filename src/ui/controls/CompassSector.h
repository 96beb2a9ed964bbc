#pragma once

#include <cstdint>

// The compass image index for a heading in units of 2 degrees clockwise from north, as a
// track point holds it: 1 to imageCount, where index k shows the dial turned clockwise by
// k - 1 steps, picked so that the direction of travel points up. 0 (the grey dial) when no
// image was loaded, as there is then nothing to pick from.
int CompassImageIndex(uint8_t headingHalfDeg, int imageCount);
