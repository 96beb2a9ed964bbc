#pragma once

class QAccessibleInterface;
class QObject;
class QString;

// What screen readers and desktop test tools see of the read-outs: the speed as text with
// its unit, the compass and the GPS lamp as indicators, the copy board as a progress bar
// with its value text. Installed once, before the first read-out is shown.
QAccessibleInterface* ReadoutAccessibleFactory(const QString& className, QObject* object);
void InstallReadoutAccessibility();
