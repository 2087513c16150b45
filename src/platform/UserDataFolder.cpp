#include "platform/UserDataFolder.h"

#include <QFile>
#include <QStandardPaths>

std::string UserDataFolder() {
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return QFile::encodeName(base).toStdString() + "/quimble";
}

bool IsInUserDataFolder(const std::string& path) {
    const std::string folder = UserDataFolder() + "/";
    return path.compare(0, folder.size(), folder) == 0;
}
