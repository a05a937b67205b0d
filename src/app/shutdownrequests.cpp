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

CShutdownRequests::CShutdownRequests(std::function<void()> onRequest,
                                     std::function<void(const AllowsInteraction&)> onCheckpoint)
    : m_onRequest(std::move(onRequest)), m_onCheckpoint(std::move(onCheckpoint))
{
    // Interaction is asked for only when there is something to ask, and
    // handed back at once.
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
        bool reserved = false;
        m_onCheckpoint([&manager, &reserved] { return reserved = reserved || manager.allowsInteraction(); });
        if (reserved)
            manager.release();
    });
    qGuiApp->installEventFilter(this);
    InstallSignalHandlers();
}

CShutdownRequests::~CShutdownRequests()
{
    RestoreSignalHandlers();
}

bool CShutdownRequests::eventFilter(QObject* watched, QEvent* event)
{
    // Quitting takes the program's own road, which closes what is open and saves.
    if (watched == qGuiApp && event->type() == QEvent::Quit) {
        m_onRequest();
        return true;
    }
    return QObject::eventFilter(watched, event);
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
