#include "UserFolders.h"

#include <QDir>
#include <QFile>

namespace zelvik::test {

void pointUserFoldersAt(const QString& root) {
    const struct {
        const char* variable;
        const char* folder;
    } folders[] = {{"XDG_CONFIG_HOME", "config"},
                   {"XDG_DATA_HOME", "data"},
                   {"XDG_CACHE_HOME", "cache"},
                   {"XDG_RUNTIME_DIR", "runtime"},
                   {"HOME", "home"}};
    for (const auto& f : folders) {
        const QString path = QDir(root).filePath(QString::fromLatin1(f.folder));
        QDir().mkpath(path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv(f.variable, path.toLocal8Bit());
    }
}

} // namespace zelvik::test
