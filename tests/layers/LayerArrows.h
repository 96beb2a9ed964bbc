#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

// An include that points from a layer to one it may not use.
struct BackArrow {
    std::string file; // from the source root's own folder on, e.g. "src/map/KmlExport.cpp"
    int line = 0;     // 1-based; 0 when the finding is about the whole file or folder
    std::string message;
};

// Reads every file under sourceRoot/<layer>/, at any depth, and returns each include of a
// header of a layer that the including layer may not use, in file and line order. A folder
// under sourceRoot that is no known layer is reported too (line 0): its arrows are unknown.
std::vector<BackArrow> FindBackArrows(const std::filesystem::path& sourceRoot);

// Prints one "file:line: message" line per finding; 0 when there is none, else 1.
int ReportBackArrows(const std::filesystem::path& sourceRoot, std::ostream& out);
