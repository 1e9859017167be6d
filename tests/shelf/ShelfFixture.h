#pragma once

#include "settings/DefaultsStore.h"
#include "shelf/ShelfStore.h"
#include "support/TestEnvironment.h"
#include "support/VirtualTime.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <atomic>

namespace zelvik::test {

// A shelf in a folder of its own inside the test run's temporary data dir,
// with the clock on virtual time.
class ShelfFixture : public ::testing::Test {
protected:
    static QString freshShelfFolder() {
        static std::atomic<int> counter{0};
        return testRoot() + QStringLiteral("/data/shelves/shelf-%1").arg(counter++);
    }

    // A file with content outside the shelf, under a folder of its own.
    QString makeFile(const QString& name, const QByteArray& content = "content") {
        const QString folder = shelfFolder + QStringLiteral("-sources/%1").arg(sourceCounter++);
        QDir().mkpath(folder);
        QFile file(folder + u'/' + name);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << qPrintable(file.fileName());
        file.write(content);
        return file.fileName();
    }

    QStringList copiedFiles() const {
        return QDir(store.filesFolder()).entryList(QDir::Files | QDir::Hidden);
    }

    void writeShelfFile(const QByteArray& json) {
        QFile file(store.shelfFilePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(json);
    }

    QByteArray readShelfFile() const {
        QFile file(store.shelfFilePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static void setLanguage(const char* raw) {
        DefaultsStore::standard().setValue(QStringLiteral("appLanguage"), QString::fromUtf8(raw));
    }

    void TearDown() override { DefaultsStore::standard().remove(QStringLiteral("appLanguage")); }

    VirtualTime time;
    QString shelfFolder = freshShelfFolder();
    ShelfStore store{time, shelfFolder};
    int sourceCounter = 0;
};

} // namespace zelvik::test
