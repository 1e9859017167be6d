#include "FuzzSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace zelvik::fuzz {

QString scratchFolder() {
    // Memory-backed when the machine has it: the stores sync their files
    // to disk on every write, which would make each input cost milliseconds.
    static const QString parent = QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                                      ? QStringLiteral("/dev/shm")
                                      : QDir::tempPath();
    static QTemporaryDir folder(parent + QStringLiteral("/zelvik-fuzz-XXXXXX"));
    return folder.path();
}

void check(bool holds, const char* what) {
    if (holds)
        return;
    std::fprintf(stderr, "property broken: %s\n", what);
    std::abort();
}

} // namespace zelvik::fuzz

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const QByteArray root = QFile::encodeName(zelvik::fuzz::scratchFolder());
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "HOME"})
        qputenv(name, root + '/' + name);
    return 0;
}
