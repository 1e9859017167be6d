#pragma once

#include <QObject>

class QSocketNotifier;

namespace zelvik {

// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal on the main thread, so the
// program quits through its event loop and every store is flushed.
class UnixSignals : public QObject {
    Q_OBJECT
public:
    explicit UnixSignals(QObject* parent = nullptr);
    ~UnixSignals() override;

signals:
    void terminationRequested(int signalNumber);

private:
    void readPending();

    QSocketNotifier* m_notifier = nullptr;
};

} // namespace zelvik
