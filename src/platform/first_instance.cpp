#include "platform/first_instance.h"

#include <QDir>
#include <QStandardPaths>

TFirstInstance::TFirstInstance() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) {
        folder = QDir::tempPath();
    }
    Lock = std::make_unique<QLockFile>(folder + "/vantrokelmissory.lock");
    Lock->setStaleLockTime(0); // a lock left by a killed copy is never taken for a live one
    First = Lock->tryLock(0);
}
