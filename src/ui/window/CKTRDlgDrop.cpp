// A folder or a recording dropped onto the window opens as OPEN would.
#include "ui/window/CKTRDlg.h"

#include "ui/window/DroppedPath.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>

void CKTRDlg::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls() && !DroppedPath(event->mimeData()->urls()).isEmpty())
        event->acceptProposedAction();
}

void CKTRDlg::dropEvent(QDropEvent* event) {
    const QString path =
        event->mimeData()->hasUrls() ? DroppedPath(event->mimeData()->urls()) : QString();
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    // Queued: a folder's scan takes a while, and the program the drag came from waits until
    // the drop is done.
    QMetaObject::invokeMethod(
        this, [this, path] { m_controller.OpenPath(path); }, Qt::QueuedConnection);
}
