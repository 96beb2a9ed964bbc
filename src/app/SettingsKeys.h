#pragma once

// The one list of the keys of "Ktr.ini": section, key and the value a missing file or key
// reads as.

struct IntSetting {
    const char* section;
    const char* key;
    int defaultValue;
};

struct TextSetting {
    const char* section;
    const char* key;
    const char* defaultValue;
    int maxChars; // longer values are cut; negative keeps every character
};

// The values of UI/MAP: which map page is shown.
namespace MapChoice {

inline constexpr int kGoogleMaps = 0;
inline constexpr int kChinaMap = 1;
// Needs no key, so it is also shown when the chosen service's key is missing.
inline constexpr int kOpenStreetMap = 2;

} // namespace MapChoice

namespace SettingsKeys {

inline constexpr char kSectionUi[] = "UI";
inline constexpr char kSectionWindowPosition[] = "WINPOS";

// A code of the language table.
inline constexpr TextSetting kLanguage{kSectionUi, "LANGID", "ENG", 63};
// A MapChoice; other values are clamped into that range when read.
inline constexpr IntSetting kMap{kSectionUi, "MAP", MapChoice::kGoogleMaps};
// Non-zero shows the map pane.
inline constexpr IntSetting kMapEnable{kSectionUi, "MAP_ENABLE", 1};
// Non-zero shows the G-sensor curve.
inline constexpr IntSetting kGSensorEnable{kSectionUi, "GSNR_ENABLE", 1};
// Start folder of the open dialog's folder picker. Not cut to a length: paths here may be
// far longer than on the camera's original platform, and a cut path could name another
// folder that exists.
inline constexpr TextSetting kFolder{kSectionUi, "Folder", "", -1};
// Main window edges in screen pixels.
inline constexpr IntSetting kWindowLeft{kSectionWindowPosition, "LEFT", 0};
inline constexpr IntSetting kWindowTop{kSectionWindowPosition, "TOP", 0};
inline constexpr IntSetting kWindowRight{kSectionWindowPosition, "RIGHT", 800};
inline constexpr IntSetting kWindowBottom{kSectionWindowPosition, "BOTTOM", 560};

} // namespace SettingsKeys
