#pragma once

#include <QObject>

#include <functional>
#include <memory>

class QSocketNotifier;

// Turns every outside request to end the program into one call: the
// application told to quit (as the session manager does when the session
// ends) and, on Unix, SIGTERM, SIGHUP and SIGINT. A signal handler may do
// almost nothing, so it only writes a byte into a socket pair; the notifier
// on the other end runs the callback from the event loop, also from the loop
// of a modal box. Only one instance watches the signals at a time; the
// previous handlers come back when it is destroyed.
//
// The session manager's commit request is a checkpoint, not an end: the
// program saves and runs on. `onCheckpoint` gets a function that asks the
// session manager whether the user may be asked anything.
class CShutdownRequests : public QObject {
    Q_OBJECT
public:
    using AllowsInteraction = std::function<bool()>;

    CShutdownRequests(std::function<void()> onRequest, std::function<void(const AllowsInteraction&)> onCheckpoint);
    ~CShutdownRequests() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

    // True when this instance installed the signal handlers.
    bool WatchesSignals() const { return m_watchesSignals; }

private:
    void InstallSignalHandlers();
    void RestoreSignalHandlers();
    void OnSignalByte();

    std::function<void()> m_onRequest;
    std::function<void(const AllowsInteraction&)> m_onCheckpoint;
    std::unique_ptr<QSocketNotifier> m_notifier;
    bool m_watchesSignals = false;
};
