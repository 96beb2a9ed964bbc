#pragma once

#include "ui/window/CKTRDlg.h"

#include <QString>

// The main window as the tests build it: with the map pages of pageFolder and without sound,
// as there is no sound card on a test machine (libvlc would retry its output for every block).
inline MainWindowOptions QuietOptions(const QString& pageFolder) {
    MainWindowOptions options;
    options.channelArguments << QStringLiteral("--aout=adummy") << QStringLiteral("--no-osd");
    options.mapPageFolder = pageFolder;
    return options;
}
