#pragma once

#include <QString>

// The deployer's map-keys.js beside the map pages, read far enough to tell whether a map
// service's key is set: the pages read it as a script, the bridge only needs a yes or no
// before it chooses which page to show.
class MapKeyFile {
public:
    explicit MapKeyFile(const QString& pageFolder);

    // True when the file gives name a non-empty quoted value.
    bool HasKey(const QString& name) const;

    static constexpr char kFileName[] = "map-keys.js";

private:
    QString m_text;
};
