#include "app/CAppSettings.h"
#include "ui/window/CKTRDlg.h"

#include <QApplication>
#include <QStringList>

#include <cstdio>

// kestrola [folder or recording]: opens the main window, with the recordings of the path in
// the lists when one is given.
int main(int argc, char* argv[]) {
    // The map's web view and the native video surfaces share one window.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 2) {
        std::fprintf(stderr, "usage: kestrola [folder or recording]\n");
        return 2;
    }

    CKTRDlg window(CAppSettings::Instance());
    if (arguments.size() == 2 && !window.ShowRecordings(arguments.at(1)))
        std::fprintf(stderr, "kestrola: %s does not exist\n", qUtf8Printable(arguments.at(1)));
    window.show();
    return QApplication::exec();
}
