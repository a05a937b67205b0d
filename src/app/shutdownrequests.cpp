#include "app/shutdownrequests.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace {
#ifdef Q_OS_UNIX
constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};
constexpr int kSignalCount = sizeof kSignals / sizeof kSignals[0];

// Shared with the signal handler, which can reach nothing else. Only the
// instance that installed the handlers sets and clears them.
volatile sig_atomic_t g_writeFd = -1;
int g_readFd = -1;
struct sigaction g_previous[kSignalCount];

extern "C" void OnTerminationSignal(int)
{
    const int savedErrno = errno;
    const char byte = 1;
    // The write end does not block; a full socket already holds a request.
    [[maybe_unused]] const ssize_t written = ::write(g_writeFd, &byte, 1);
    errno = savedErrno;
}
#endif
}

CShutdownRequests::CShutdownRequests(std::function<void()> onRequest) : m_onRequest(std::move(onRequest))
{
    // The session manager asks every program to save before the session
    // ends; this program saves by closing, as it does for File Exit.
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) { m_onRequest(); });
    InstallSignalHandlers();
}

CShutdownRequests::~CShutdownRequests()
{
    RestoreSignalHandlers();
}

void CShutdownRequests::InstallSignalHandlers()
{
#ifdef Q_OS_UNIX
    if (g_writeFd != -1)
        return;
    int fds[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds) != 0)
        return;
    ::fcntl(fds[0], F_SETFL, ::fcntl(fds[0], F_GETFL) | O_NONBLOCK);
    ::fcntl(fds[1], F_SETFL, ::fcntl(fds[1], F_GETFL) | O_NONBLOCK);
    g_readFd = fds[0];
    g_writeFd = fds[1];

    m_notifier = std::make_unique<QSocketNotifier>(g_readFd, QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &CShutdownRequests::OnSignalByte);

    struct sigaction action = {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int i = 0; i < kSignalCount; ++i)
        ::sigaction(kSignals[i], &action, &g_previous[i]);
    m_watchesSignals = true;
#endif
}

void CShutdownRequests::RestoreSignalHandlers()
{
#ifdef Q_OS_UNIX
    if (!m_watchesSignals)
        return;
    for (int i = 0; i < kSignalCount; ++i)
        ::sigaction(kSignals[i], &g_previous[i], nullptr);
    m_notifier.reset();
    const int writeFd = g_writeFd;
    g_writeFd = -1;
    ::close(writeFd);
    ::close(g_readFd);
    g_readFd = -1;
    m_watchesSignals = false;
#endif
}

void CShutdownRequests::OnSignalByte()
{
#ifdef Q_OS_UNIX
    // Several signals may have arrived; they make one request.
    char buffer[64];
    while (::read(g_readFd, buffer, sizeof buffer) > 0) {
    }
#endif
    m_onRequest();
}
