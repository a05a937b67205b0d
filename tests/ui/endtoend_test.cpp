// Starts the real orvina binary in a temporary folder with a temporary
// configuration folder, ends it from outside and checks what it left on disk.
#include "programtestenv.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QtTest>

#include <csignal>

namespace {
// Whether the process at `pid` has installed handlers for all of `signals`,
// read from the kernel's view of it.
bool CatchesSignals(qint64 pid, std::initializer_list<int> wanted)
{
    QFile status(QString("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (!line.startsWith("SigCgt:"))
            continue;
        bool ok = false;
        const qulonglong caught = line.mid(7).trimmed().toULongLong(&ok, 16);
        if (!ok)
            return false;
        for (int signal : wanted) {
            if (!(caught & (1ULL << (signal - 1))))
                return false;
        }
        return true;
    }
    return false;
}
}

class EndToEndTest : public QObject {
    Q_OBJECT

private slots:
    void aSignalEndsTheRunAndSaves_data()
    {
        QTest::addColumn<int>("signal");
        QTest::addColumn<QByteArray>("databaseBefore");
        QTest::addColumn<QByteArray>("databaseAfter");

        const QByteArray nameless = QByteArray::fromHex("0000");
        QTest::newRow("SIGTERM, empty folder") << SIGTERM << QByteArray() << kDefaultDatabase;
        QTest::newRow("SIGINT, empty folder") << SIGINT << QByteArray() << kDefaultDatabase;
        QTest::newRow("SIGHUP, empty folder") << SIGHUP << QByteArray() << kDefaultDatabase;
        QTest::newRow("SIGTERM, a file without people") << SIGTERM << nameless << kDefaultDatabase;
    }

    void aSignalEndsTheRunAndSaves()
    {
        QFETCH(int, signal);
        QFETCH(QByteArray, databaseBefore);
        QFETCH(QByteArray, databaseAfter);
        QTemporaryDir folder;
        QTemporaryDir config;
        if (!databaseBefore.isNull())
            QVERIFY(WriteBytes(folder.filePath("database.bio"), databaseBefore));

        QProcess orvina;
        orvina.setWorkingDirectory(folder.path());
        orvina.setProcessEnvironment(Environment(config));
        orvina.start(ORVINA_APP_PATH, {});
        QVERIFY2(orvina.waitForStarted(), qPrintable(orvina.errorString()));
        QTRY_VERIFY_WITH_TIMEOUT(CatchesSignals(orvina.processId(), {SIGTERM, SIGINT, SIGHUP}), 10000);

        ::kill(static_cast<pid_t>(orvina.processId()), signal);
        QVERIFY(orvina.waitForFinished(10000));
        QCOMPARE(orvina.exitStatus(), QProcess::NormalExit);
        QCOMPARE(orvina.exitCode(), 0);
        QCOMPARE(ReadBytes(folder.filePath("database.bio")), databaseAfter);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }

    void theFirstPaintCanEndTheRun()
    {
        QTemporaryDir folder;
        QTemporaryDir config;
        QProcess orvina;
        orvina.setWorkingDirectory(folder.path());
        QProcessEnvironment environment = Environment(config);
        environment.insert("ORVINA_EXIT_AFTER_FIRST_PAINT", "1");
        orvina.setProcessEnvironment(environment);
        orvina.start(ORVINA_APP_PATH, {});
        QVERIFY(orvina.waitForFinished(10000));
        QCOMPARE(orvina.exitCode(), 0);
        QCOMPARE(orvina.readAllStandardOutput(), QByteArray("first paint\n"));
        QCOMPARE(ReadBytes(folder.filePath("database.bio")), kDefaultDatabase);
    }

private:
    static QProcessEnvironment Environment(const QTemporaryDir& config)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("XDG_CONFIG_HOME", config.path());
        environment.remove("ORVINA_EXIT_AFTER_FIRST_PAINT");
        return environment;
    }
};

QTEST_GUILESS_MAIN(EndToEndTest)
#include "endtoend_test.moc"
