#pragma once

#include <QObject>

#include <functional>
#include <memory>

class QSocketNotifier;

// Turns every outside request to end the program into one call: the end of
// the desktop session (the session manager's commit request) and, on Unix,
// SIGTERM, SIGHUP and SIGINT. A signal handler may do almost nothing, so it
// only writes a byte into a socket pair; the notifier on the other end runs
// the callback from the event loop. Only one instance watches the signals at
// a time; the previous handlers come back when it is destroyed.
class CShutdownRequests : public QObject {
    Q_OBJECT
public:
    explicit CShutdownRequests(std::function<void()> onRequest);
    ~CShutdownRequests() override;

    // True when this instance installed the signal handlers.
    bool WatchesSignals() const { return m_watchesSignals; }

private:
    void InstallSignalHandlers();
    void RestoreSignalHandlers();
    void OnSignalByte();

    std::function<void()> m_onRequest;
    std::unique_ptr<QSocketNotifier> m_notifier;
    bool m_watchesSignals = false;
};
