// Starts the real orvina binary in a temporary folder with a temporary
// configuration folder, ends it from outside and checks what it left on disk.
#include "programtestenv.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QtTest>

#include <algorithm>
#include <csignal>
#include <sys/resource.h>

namespace {
// Whether the process at `pid` has installed handlers for all of `wanted`,
// read from the kernel's view of it.
bool CatchesSignals(qint64 pid, std::initializer_list<int> wanted)
{
    const QByteArray text = ReadBytes(QString("/proc/%1/status").arg(pid));
    const qsizetype at = text.indexOf("SigCgt:");
    bool ok = false;
    const qulonglong caught = at < 0 ? 0 : text.mid(at + 7, text.indexOf('\n', at) - at - 7).trimmed().toULongLong(&ok, 16);
    return ok && std::all_of(wanted.begin(), wanted.end(), [caught](int signal) { return caught & (1ULL << (signal - 1)); });
}

// Sends `signal` and gives the program a second to end, as a session or
// service manager would before it escalates.
bool EndsWithinASecond(QProcess& orvina, int signal)
{
    ::kill(static_cast<pid_t>(orvina.processId()), signal);
    return orvina.waitForFinished(1000) && orvina.exitStatus() == QProcess::NormalExit && orvina.exitCode() == 0;
}

// A pause long enough for a started copy to have its start-up message open.
void LetTheMessageOpen()
{
    QTest::qWait(500);
}
}

class EndToEndTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_folder = std::make_unique<QTemporaryDir>();
        m_config = std::make_unique<QTemporaryDir>();
        m_path = m_folder->filePath("database.bio");
    }

    // Each signal, and SIGTERM with a file without people or while a
    // start-up message is open: the run ends within a second and saves
    // what it holds.
    void aSignalEndsTheRunAndSaves()
    {
        for (const auto& [signal, before] : {std::pair{SIGTERM, "empty"}, {SIGINT, "empty"}, {SIGHUP, "empty"},
                                             {SIGTERM, "nameless"}, {SIGTERM, "damaged"}, {SIGTERM, "folder"}}) {
            init();
            // Cut inside the second record: the first person is kept.
            const QByteArray cut = TwoDefaultPeople().left(40);
            if (QString(before) == "folder")
                QVERIFY(QDir(m_folder->path()).mkdir("database.bio"));
            else if (QString(before) != "empty")
                QVERIFY(WriteBytes(m_path, QString(before) == "damaged" ? cut : QByteArray::fromHex("0000")));
            QProcess orvina;
            QVERIFY(Start(orvina));
            QTRY_VERIFY_WITH_TIMEOUT(CatchesSignals(orvina.processId(), {SIGTERM, SIGINT, SIGHUP}), 10000);
            LetTheMessageOpen();

            QVERIFY(EndsWithinASecond(orvina, signal));
            QCOMPARE(QFileInfo(m_path).isDir(), QString(before) == "folder");
            QCOMPARE(ReadBytes(m_path + ".damaged"), QString(before) == "damaged" ? cut : QByteArray());
            QCOMPARE(ReadBytes(m_path), QString(before) == "folder" ? QByteArray() : kDefaultDatabase);
            QCOMPARE(QDir(m_folder->path()).entryList(QDir::Files | QDir::Hidden).size(),
                     QString(before) == "folder" ? 0 : QString(before) == "damaged" ? 2 : 1);
        }
    }

    void aSecondCopyInTheSameFolderSavesNothing()
    {
        QVERIFY(WriteBytes(m_path, TwoDefaultPeople()));
        QProcess first;
        QProcess second;
        QVERIFY(Start(first));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(m_path + ".lock"), 10000);
        QVERIFY(Start(second));
        LetTheMessageOpen();

        // The first copy ends and saves; then its people change on disk, as
        // when it had added one before it ended.
        QVERIFY(EndsWithinASecond(first, SIGTERM));
        QCOMPARE(ReadBytes(m_path), TwoDefaultPeople());
        QVERIFY(WriteBytes(m_path, kDefaultDatabase));
        // The second copy, answering its message as the program ends, writes nothing.
        QVERIFY(EndsWithinASecond(second, SIGTERM));
        QCOMPARE(ReadBytes(m_path), kDefaultDatabase);
        QCOMPARE(QDir(m_folder->path()).entryList(QDir::Files | QDir::Hidden), QStringList("database.bio"));
    }

    void aLockLeftByADeadCopyIsTakenOver()
    {
        QProcess killed;
        QVERIFY(Start(killed));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(m_path + ".lock"), 10000);
        killed.kill();
        QVERIFY(killed.waitForFinished(10000));
        QVERIFY(QFile::exists(m_path + ".lock"));

        // With no message in the way, the first paint ends the run.
        QProcess next;
        QVERIFY(Start(next, {{"ORVINA_EXIT_AFTER_FIRST_PAINT", "1"}}));
        QVERIFY(next.waitForFinished(10000));
        QCOMPARE(next.exitCode(), 0);
        QCOMPARE(next.readAllStandardOutput(), QByteArray("first paint\n"));
        QCOMPARE(ReadBytes(m_path), kDefaultDatabase);
        QVERIFY(!QFile::exists(m_path + ".lock"));
    }

    void aSignalAnswersTheFailedSaveBox()
    {
        // More people than the file-size limit lets the save write; the lock
        // file still fits.
        constexpr rlim_t kLimit = 4096;
        QVERIFY(WriteDatabase(m_path, std::vector<CName>(200, CName("New Name", "1901", "01", "01"))));
        const QByteArray before = ReadBytes(m_path);
        QVERIFY(before.size() > qsizetype(kLimit));

        QProcess orvina;
        orvina.setChildProcessModifier([] {
            // The limit's signal as a shell leaves it, whatever this test ignores.
            std::signal(SIGXFSZ, SIG_DFL);
            rlimit limit{kLimit, kLimit};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        });
        QVERIFY(Start(orvina, {{"ORVINA_EXIT_AFTER_FIRST_PAINT", "1"}}));
        QByteArray said;
        QTRY_VERIFY_WITH_TIMEOUT((said += orvina.readAllStandardOutput()).contains("first paint"), 10000);
        LetTheMessageOpen();
        QCOMPARE(orvina.state(), QProcess::Running);

        QVERIFY(EndsWithinASecond(orvina, SIGTERM));
        QCOMPARE(ReadBytes(m_path), before);
    }

    void withoutADisplayItSaysSoOnce()
    {
        QProcess orvina;
        QVERIFY(Start(orvina, {}, false));
        QVERIFY(orvina.waitForFinished(10000));
        QCOMPARE(orvina.exitStatus(), QProcess::NormalExit);
        QCOMPARE(orvina.exitCode(), 1);
        const QByteArray said = orvina.readAllStandardError();
        QVERIFY2(said.startsWith("orvina: needs a graphical display") && said.count('\n') == 1 &&
                     said.contains("xvfb-run orvina") && said.contains("orvina-cli render"),
                 said.constData());
        QVERIFY(orvina.readAllStandardOutput().isEmpty());
        QVERIFY(QDir(m_folder->path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
        // Told its platform on the command line, it needs no display.
        QVERIFY(Start(orvina, {{"XDG_CONFIG_HOME", m_config->path()}, {"ORVINA_EXIT_AFTER_FIRST_PAINT", "1"}}, false,
                      {"-platform", "offscreen"}));
        QVERIFY(orvina.waitForFinished(10000));
        QCOMPARE(orvina.readAllStandardOutput(), QByteArray("first paint\n"));
    }

private:
    // Starts the program in the test's folder; without `display` in an
    // empty environment.
    bool Start(QProcess& orvina, const QList<QPair<QString, QString>>& extra = {}, bool display = true,
               const QStringList& arguments = {})
    {
        QProcessEnvironment environment;
        if (display) {
            environment = QProcessEnvironment::systemEnvironment();
            environment.insert("QT_QPA_PLATFORM", "offscreen");
            environment.insert("XDG_CONFIG_HOME", m_config->path());
            environment.remove("ORVINA_EXIT_AFTER_FIRST_PAINT");
        }
        for (const auto& [name, value] : extra)
            environment.insert(name, value);
        orvina.setWorkingDirectory(m_folder->path());
        orvina.setProcessEnvironment(environment);
        orvina.start(ORVINA_APP_PATH, arguments);
        return orvina.waitForStarted();
    }

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<QTemporaryDir> m_config;
    QString m_path;
};

QTEST_GUILESS_MAIN(EndToEndTest)
#include "endtoend_test.moc"
