#include "app/RememberedFolder.h"

#include "app/CAppSettings.h"

#include <QFileInfo>

namespace {

bool NamesSomethingThatExists(const QString& path) {
    return !path.isEmpty() && QFileInfo::exists(path);
}

} // namespace

QString ReadRememberedFolder(const CAppSettings& settings) {
    const QString folder = settings.ReadText(SettingsKeys::kFolder);
    return NamesSomethingThatExists(folder) ? folder : QString();
}

bool WriteRememberedFolder(CAppSettings& settings, const QString& folder) {
    return settings.WriteText(SettingsKeys::kFolder,
                              NamesSomethingThatExists(folder) ? folder : QString());
}
