#pragma once

#include <cstdint>

// The texts of the GPX export, in a block of their own above the program's original ids.
namespace GpxTextIds {
inline constexpr uint16_t kSavedFormat = 460;  // %s = the file written
inline constexpr uint16_t kFailedFormat = 461; // %s = the file that could not be written
inline constexpr uint16_t kCaption = 462;
inline constexpr uint16_t kMenuEntry = 463; // the KML button's menu
} // namespace GpxTextIds
