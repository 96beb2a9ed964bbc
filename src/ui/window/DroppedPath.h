#pragma once

#include <QList>
#include <QString>
#include <QUrl>

// What a drop onto the window opens: the one local folder or file it names, or, when it
// names several, the folder they all lie in (the F and R folders of a card give the card).
// Empty when anything named is not local or does not exist, or when the things named lie in
// different folders.
QString DroppedPath(const QList<QUrl>& urls);
