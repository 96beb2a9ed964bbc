#include "LayerArrows.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <optional>
#include <set>

namespace fs = std::filesystem;

namespace {

// Each layer with the layers it may include; its own headers are always allowed.
const std::map<std::string, std::set<std::string>> kAllowed = {
    {"ui", {"playback", "library", "map", "app", "track", "platform"}},
    {"playback", {"library", "track", "platform"}},
    {"library", {"track", "platform"}},
    {"map", {"track", "platform"}},
    {"track", {"platform"}},
    {"app", {"platform"}},
    {"platform", {}},
};

// The header named by an #include line ("x/y.h" or <x/y.h>), with whether it was quoted.
struct Include {
    std::string header;
    bool quoted = false;
};

std::optional<Include> ParseInclude(const std::string& line) {
    size_t i = line.find_first_not_of(" \t");
    if (i == std::string::npos || line[i] != '#')
        return std::nullopt;
    i = line.find_first_not_of(" \t", i + 1);
    const std::string keyword = "include";
    if (i == std::string::npos || line.compare(i, keyword.size(), keyword) != 0)
        return std::nullopt;
    i = line.find_first_not_of(" \t", i + keyword.size());
    if (i == std::string::npos || (line[i] != '"' && line[i] != '<'))
        return std::nullopt;
    const char close = line[i] == '"' ? '"' : '>';
    const size_t end = line.find(close, i + 1);
    if (end == std::string::npos)
        return std::nullopt;
    return Include{line.substr(i + 1, end - i - 1), close == '"'};
}

// The first folder of a path below the source root, or "" when it lies outside.
std::string LayerOf(const fs::path& relative) {
    const fs::path normal = relative.lexically_normal();
    if (normal.empty() || normal.begin()->string() == "..")
        return {};
    return normal.begin()->string();
}

// The layer whose header an include names. A quoted include is found beside the including
// file first, as the compiler does, so "../ui/X.h" counts as ui; otherwise the path is taken
// from the source root, which is the include folder of every layer.
std::string TargetLayer(const fs::path& root, const fs::path& file, const Include& include) {
    if (include.quoted) {
        const fs::path beside = (file.parent_path() / include.header).lexically_normal();
        if (fs::exists(beside)) {
            const std::string layer = LayerOf(beside.lexically_relative(root));
            if (!layer.empty())
                return layer;
        }
    }
    return LayerOf(fs::path(include.header));
}

std::string DisplayName(const fs::path& root, const fs::path& file) {
    return (root.filename() / file.lexically_relative(root)).generic_string();
}

void CheckFile(const fs::path& root, const fs::path& file, const std::string& layer,
               std::vector<BackArrow>& arrows) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        arrows.push_back({DisplayName(root, file), 0, "cannot be read"});
        return;
    }
    std::string line;
    const std::set<std::string>& allowed = kAllowed.at(layer);
    for (int number = 1; std::getline(in, line); ++number) {
        const std::optional<Include> include = ParseInclude(line);
        if (!include)
            continue;
        const std::string target = TargetLayer(root, file, *include);
        if (target == layer || !kAllowed.count(target) || allowed.count(target))
            continue;
        arrows.push_back({DisplayName(root, file), number,
                          layer + " may not include " + include->header + " of " + target});
    }
}

} // namespace

std::vector<BackArrow> FindBackArrows(const fs::path& sourceRoot) {
    fs::path root = fs::absolute(sourceRoot).lexically_normal();
    if (!root.has_filename()) // "src/" names the same folder as "src"
        root = root.parent_path();
    std::vector<fs::path> folders;
    for (const fs::directory_entry& entry : fs::directory_iterator(root)) {
        if (entry.is_directory())
            folders.push_back(entry.path());
    }
    std::sort(folders.begin(), folders.end());

    std::vector<BackArrow> arrows;
    for (const fs::path& folder : folders) {
        const std::string layer = folder.filename().string();
        if (!kAllowed.count(layer)) {
            arrows.push_back({DisplayName(root, folder), 0, "not a known layer"});
            continue;
        }
        std::vector<fs::path> files;
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
            if (entry.is_regular_file())
                files.push_back(entry.path());
        }
        std::sort(files.begin(), files.end());
        for (const fs::path& file : files)
            CheckFile(root, file, layer, arrows);
    }
    return arrows;
}

int ReportBackArrows(const fs::path& sourceRoot, std::ostream& out) {
    const std::vector<BackArrow> arrows = FindBackArrows(sourceRoot);
    for (const BackArrow& arrow : arrows) {
        out << arrow.file;
        if (arrow.line > 0)
            out << ':' << arrow.line;
        out << ": " << arrow.message << '\n';
    }
    return arrows.empty() ? 0 : 1;
}
