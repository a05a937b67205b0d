// The whole run of the application object: start-up, the message loop and
// the one shutdown road, whichever way the program is asked to end.
#include "frame/commandids.h"
#include "view/ovixview.h"
#include "programtestenv.h"

#include <QtTest>

#include <algorithm>
#include <csignal>
#include <map>

namespace {
enum class Request { CloseBox, FileExit, Quit, Sigterm, SigtermInDialog };

// Returns false when the request could not be made as the row describes.
bool Send(Request request, COvixApp& app)
{
    switch (request) {
    case Request::CloseBox: app.MainFrame()->close(); break;
    case Request::FileExit: app.MainFrame()->Action(CommandId::kAppExit)->trigger(); break;
    case Request::Quit: QCoreApplication::quit(); break;
    case Request::Sigterm: std::raise(SIGTERM); break;
    case Request::SigtermInDialog: {
        // The signal comes while the People dialog runs its own loop.
        bool dialogOpen = false;
        QTimer::singleShot(50, qApp, [&dialogOpen] {
            dialogOpen = QApplication::activeModalWidget() != nullptr;
            std::raise(SIGTERM);
        });
        app.MainFrame()->Action(CommandId::kPeople)->trigger();
        return dialogOpen;
    }
    }
    return true;
}

void (*Handler(int signal))(int)
{
    struct sigaction current = {};
    ::sigaction(signal, nullptr, &current);
    return current.sa_handler;
}

// Ends a loop that would otherwise never end, so that a fault fails the
// test instead of hanging it.
class HangGuard {
public:
    HangGuard()
    {
        m_timer.setSingleShot(true);
        QObject::connect(&m_timer, &QTimer::timeout, [] { QCoreApplication::exit(kHungExitCode); });
        m_timer.start(10000);
    }
    static constexpr int kHungExitCode = 99;

private:
    QTimer m_timer;
};
}

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { UseTemporaryProfile(m_profileDir); }

    // The signal handlers are the program's while it runs, and the previous
    // ones again once it is gone.
    void everyWayOfEndingSaves()
    {
        const int watched[] = {SIGTERM, SIGHUP, SIGINT};
        for (const Request request : {Request::CloseBox, Request::FileExit, Request::Quit, Request::Sigterm,
                                      Request::SigtermInDialog}) {
            TestFolder folder;
            std::map<int, void (*)(int)> before;
            for (int signal : watched)
                before[signal] = Handler(signal);
            {
                COvixApp app;
                bool ranInTheLoop = false;
                bool sent = false;
                QTimer::singleShot(0, qApp, [&] {
                    ranInTheLoop = app.MainFrame() && app.MainFrame()->isVisible() &&
                                   std::all_of(std::begin(watched), std::end(watched),
                                               [&](int signal) { return Handler(signal) != before[signal]; });
                    sent = Send(request, app);
                });
                HangGuard guard;
                QCOMPARE(app.Run(), 0);
                QVERIFY(ranInTheLoop && sent && app.MainFrame() == nullptr && app.m_names.IsEmpty());
                QCOMPARE(ReadBytes(folder.File("database.bio")), kDefaultDatabase);
            }
            for (int signal : watched)
                QVERIFY(Handler(signal) == before[signal]);
        }
    }

private:
    QTemporaryDir m_profileDir;
};

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
