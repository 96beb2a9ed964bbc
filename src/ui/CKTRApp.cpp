#include "ui/CKTRApp.h"

#include "app/CAppSettings.h"
#include "ui/dialogs/WidgetPrompts.h"
#include "ui/window/CKTRDlg.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>

#ifndef KESTROLA_VERSION
#define KESTROLA_VERSION "0"
#endif

int CKTRApp::Run(int argc, char* argv[]) {
    // The map's web view and the native video surfaces share one window.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kestrola"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KESTROLA_VERSION));
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Kestrola"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Plays the front and rear recordings of a two-channel vehicle camera "
                       "with their route, speed and G-sensor curves."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("path"),
                                 QStringLiteral("A card folder or a recording to open at start."),
                                 QStringLiteral("[path]"));
    parser.process(application);
    const QStringList paths = parser.positionalArguments();
    if (paths.size() > 1) {
        std::fprintf(stderr, "kestrola: give at most one folder or recording\n%s",
                     qUtf8Printable(parser.helpText()));
        return 2;
    }

    CAppSettings& settings = CAppSettings::Instance();
    WidgetPrompts prompts(settings);
    InstallPrompts(&prompts);
    CKTRDlg window(settings);
    window.show();
    if (!paths.isEmpty() && !window.OpenPath(paths.first()))
        std::fprintf(stderr, "kestrola: %s does not exist\n", qUtf8Printable(paths.first()));
    const int status = QApplication::exec();
    InstallPrompts(nullptr);
    return status;
}
