#pragma once

#include <QRect>
#include <QString>
#include <QWidget>

// A control of a dialog, named by its template id so that tests and tooltips find it, at its
// place in pixels.
template <typename Control> Control* MakeControl(QWidget* dialog, int id, const QRect& pixels) {
    auto* control = new Control(dialog);
    control->setObjectName(QString::number(id));
    control->setGeometry(pixels);
    return control;
}
