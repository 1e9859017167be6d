#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "support/TestEnvironment.h"

namespace zelvik::test {

// A /sys/class/power_supply of the test's own: one folder per supply with
// one file per attribute, as the kernel lays them out.
class FakePowerSupplies {
public:
    QString root() const { return m_dir.path(); }

    void set(const QString& supply, const QString& attribute, const QByteArray& value) {
        const QDir dir(m_dir.path());
        dir.mkpath(supply);
        QFile file(dir.filePath(supply + u'/' + attribute));
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(value + '\n');
    }
    void remove(const QString& supply, const QString& attribute) {
        QFile::remove(QDir(m_dir.path()).filePath(supply + u'/' + attribute));
    }
    void removeSupply(const QString& supply) {
        QDir(QDir(m_dir.path()).filePath(supply)).removeRecursively();
    }

    // A laptop: a system battery reporting capacity and an AC adapter.
    void laptop(int capacity, bool acOnline) {
        set(QStringLiteral("BAT0"), QStringLiteral("type"), "Battery");
        set(QStringLiteral("BAT0"), QStringLiteral("capacity"), QByteArray::number(capacity));
        set(QStringLiteral("BAT0"), QStringLiteral("status"),
            acOnline ? "Charging" : "Discharging");
        set(QStringLiteral("AC"), QStringLiteral("type"), "Mains");
        set(QStringLiteral("AC"), QStringLiteral("online"), acOnline ? "1" : "0");
    }

private:
    QTemporaryDir m_dir{testRoot() + QStringLiteral("/power_supply-XXXXXX")};
};

} // namespace zelvik::test
