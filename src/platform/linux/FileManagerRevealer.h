#pragma once

#include "shelf/FileRevealer.h"

#include <QDBusConnection>
#include <QObject>

namespace zelvik {

// Asks the desktop's file manager (org.freedesktop.FileManager1, started on
// demand by the bus) to show the file selected; when there is none, or it
// fails, opens the file's folder with the default application instead.
class FileManagerRevealer final : public QObject, public FileRevealer {
    Q_OBJECT
public:
    explicit FileManagerRevealer(QDBusConnection bus = QDBusConnection::sessionBus(),
                                 QObject* parent = nullptr);

    void reveal(const QUrl& file) override;

signals:
    // Emitted once the request is settled either way; for tests.
    void finished();

private:
    void openFolder(const QUrl& file);

    QDBusConnection m_bus;
};

} // namespace zelvik
