#pragma once

#include <QString>

// The folder of the files the program loads at run time (the map pages and their scripts):
// the installed data folder beside the executable's (<prefix>/share/kestrola) when it
// exists, otherwise the executable's own folder, where the build tree keeps them.
QString ProgramDataFolder();
