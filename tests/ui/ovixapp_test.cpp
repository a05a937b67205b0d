// Start-up and shutdown of the application object in a temporary folder:
// the first run, a damaged database, a save that fails, a file changed by
// another program and a database in use by another copy.
#include "view/ovixview.h"
#include "people/archivereader.h"
#include "programtestenv.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QLockFile>
#include <QTimer>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

Q_DECLARE_METATYPE(MessageBox::Answer)

namespace {
constexpr CDate kToday{2024, 2, 29};

// Answers the next Save As dialog with `path`, as a user would type it.
void ChooseInNextFileDialog(const QString& path)
{
    QTimer::singleShot(10, qApp, [path] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return ChooseInNextFileDialog(path);
        dialog->selectFile(path);
        static_cast<QDialog*>(dialog)->accept();
    });
}

// Limits the size of any file this process writes, so that a save fails
// even for root, to whom every folder is writable.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_previous);
        m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_previous;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { Lift(); }
    void Lift()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_previousHandler);
    }

private:
    rlimit m_previous{};
    void (*m_previousHandler)(int) = SIG_DFL;
};
}

class OvixAppTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { UseTemporaryProfile(m_profileDir); }

    // The default person, today's month, grey dialogs with black text, and
    // the default person written at exit.
    void firstRunInAnEmptyFolder()
    {
        TestFolder folder;
        FixedToday today(kToday);
        MessageRecorder messages;
        COvixApp app;
        QVERIFY(app.InitInstance());
        QCOMPARE(app.m_names.Count(), 1);
        QCOMPARE(app.DatabasePath(), folder.File("database.bio").toStdString());
        const CChart& chart = app.MainFrame()->View().Chart();
        QCOMPARE(CDate({chart.m_year, chart.m_month, chart.m_day}), kToday);
        const CCompatibilityDlg& compatibility = app.MainFrame()->View().CompatibilityDialog();
        QVERIFY(compatibility.m_index1 == 0 && compatibility.m_index2 == 0);
        QVERIFY(app.MainFrame()->isVisible());
        QDialog dialog;
        dialog.ensurePolished();
        QCOMPARE(dialog.palette().color(QPalette::Window), QColor(192, 192, 192));
        QCOMPARE(dialog.palette().color(QPalette::WindowText), QColor(0, 0, 0));
        QVERIFY(messages.Shown().empty());

        app.ExitInstance();
        QVERIFY(app.MainFrame() == nullptr);
        QCOMPARE(ReadBytes(folder.File("database.bio")), kDefaultDatabase);
    }

    void aDamagedDatabaseIsReportedOnce_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("keptPeople");

        QTest::newRow("empty file") << QByteArray() << 0;
        QTest::newRow("cut inside the second record") << TwoDefaultPeople().left(40) << 1;
        QTest::newRow("another class") << QByteArray(kDefaultDatabase).replace("CName", "CList") << 0;
    }

    void aDamagedDatabaseIsReportedOnce()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, keptPeople);
        TestFolder folder;
        MessageRecorder messages;
        const QString path = folder.File("database.bio");
        QVERIFY(WriteBytes(path, bytes));

        COvixApp app;
        app.InitInstance();
        // The records before the fault, or the default person when there are none.
        QCOMPARE(app.m_names.Count(), keptPeople == 0 ? 1 : keptPeople);
        if (keptPeople == 0)
            QCOMPARE(app.m_names.At(0)->m_name, std::string("New Name"));

        QCOMPARE(messages.Shown().size(), size_t(1));
        const MessageBox::Request& shown = messages.Shown().front();
        const ArchiveReadResult read = ReadArchive(std::string_view(bytes.constData(), bytes.size()));
        QVERIFY(read.fault.has_value());
        QVERIFY2(shown.text.contains(path) && shown.text.contains(QString("byte %1").arg(read.fault->offset)) &&
                     shown.text.contains(QString::fromStdString(read.fault->reason)) &&
                     shown.text.contains("copied to \"" + path + ".damaged\""),
                 qPrintable(shown.text));
        QCOMPARE(shown.caption, QString("Orvina 2.1"));
        QVERIFY(shown.buttons == MessageBox::Buttons::Ok && shown.owner == app.MainFrame());

        // The damaged bytes survive the save at exit, which writes what was kept.
        app.ExitInstance();
        QCOMPARE(messages.Shown().size(), size_t(1));
        QCOMPARE(ReadBytes(path + ".damaged"), bytes);
        // Either the one record before the fault or the default person: both
        // are "New Name" born 1901-01-01.
        QCOMPARE(ReadBytes(path), kDefaultDatabase);
    }

    void aFailedSaveKeepsTheOldFile_data()
    {
        QTest::addColumn<QList<MessageBox::Answer>>("answers");
        QTest::addColumn<bool>("liftAtFirstMessage");
        QTest::addColumn<int>("messageCount");
        QTest::addColumn<QByteArray>("fileAfter");
        QTest::addColumn<bool>("savedAs");

        using R = MessageBox::Answer;
        QTest::newRow("cancel") << QList<R>{R::Cancel} << false << 1 << kDefaultDatabase << false;
        QTest::newRow("retry, then cancel") << QList<R>{R::Retry, R::Cancel} << false << 2 << kDefaultDatabase
                                            << false;
        QTest::newRow("retry once the fault is gone") << QList<R>{R::Retry} << true << 1 << TwoDefaultPeople() << false;
        QTest::newRow("save as another file") << QList<R>{R::SaveAs} << true << 1 << kDefaultDatabase << true;
    }

    void aFailedSaveKeepsTheOldFile()
    {
        QFETCH(QList<MessageBox::Answer>, answers);
        QFETCH(bool, liftAtFirstMessage);
        QFETCH(int, messageCount);
        QFETCH(QByteArray, fileAfter);
        QFETCH(bool, savedAs);
        TestFolder folder;
        const QString path = folder.File("database.bio");
        const QString other = folder.File("other.bio");
        QVERIFY(WriteBytes(path, kDefaultDatabase));
        if (savedAs)
            ChooseInNextFileDialog(other);

        COvixApp app;
        app.InitInstance();
        app.m_names.Append(CName("New Name", "1901", "01", "01"));

        // The new file (55 bytes) cannot be written; the old one (33) stays.
        FileSizeLimit limit(static_cast<rlim_t>(kDefaultDatabase.size()) + 10);
        MessageRecorder messages;
        messages.Answer({answers.begin(), answers.end()});
        bool windowGone = true;
        messages.m_onShow = [&](const MessageBox::Request&) {
            windowGone = windowGone && app.MainFrame() == nullptr;
            if (liftAtFirstMessage)
                limit.Lift();
        };
        app.ExitInstance();
        limit.Lift();

        QCOMPARE(int(messages.Shown().size()), messageCount);
        QVERIFY2(windowGone, "the main window must be destroyed before the database is written");
        const MessageBox::Request& shown = messages.Shown().front();
        QCOMPARE(shown.buttons, MessageBox::Buttons::RetrySaveAsCancel);
        QCOMPARE(shown.caption, QString("Orvina 2.1"));
        QVERIFY2(shown.text.startsWith("The people could not be saved to \"" + path + "\": "), qPrintable(shown.text));
        QCOMPARE(shown.text.count('.'), path.count('.') + 1);
        QCOMPARE(ReadBytes(path), fileAfter);
        QCOMPARE(ReadBytes(other), savedAs ? TwoDefaultPeople() : QByteArray());
        QVERIFY(app.m_names.IsEmpty());
        QCOMPARE(QDir(folder.Path()).entryList(QDir::Files | QDir::Hidden).size(), savedAs ? 2 : 1);
    }

    void anUnreadableDatabaseIsNeverReplaced_data()
    {
        QTest::addColumn<QString>("kind");
        // A folder stands in for a file that cannot be read, which permission
        // bits cannot make for a test that may run as root.
        QTest::newRow("a folder") << "folder";
        QTest::newRow("a link to nothing") << "link";
        QTest::newRow("damaged, and no complete copy can be made") << "damaged";
        // Whatever stands at the path by the end was never loaded.
        QTest::newRow("a folder, replaced by another program") << "replaced";
    }

    void anUnreadableDatabaseIsNeverReplaced()
    {
        QFETCH(QString, kind);
        const bool damaged = kind == "damaged";
        TestFolder folder;
        const QString path = folder.File("database.bio");
        QByteArray bytes;
        if (damaged) {
            QVERIFY(WriteDatabase(path, std::vector<CName>(100, CName("New Name", "1901", "01", "01"))));
            bytes = ReadBytes(path).chopped(5);
            QVERIFY(WriteBytes(path, bytes));
        } else {
            QVERIFY(kind != "link" ? QDir(folder.Path()).mkdir("database.bio") : QFile::link("nowhere", path));
        }
        MessageRecorder messages;
        COvixApp app;
        {
            // The lock file fits under the limit; a copy of the database does not.
            FileSizeLimit limit(1024);
            app.InitInstance();
        }
        QCOMPARE(app.m_names.Count(), 1);
        QCOMPARE(messages.Shown().size(), size_t(1));
        const QString& text = messages.Shown().front().text;
        QVERIFY2(text.startsWith("The people database \"" + path + "\" cannot be read: ") &&
                     text.contains(damaged ? "no complete copy" : "") && text.contains("leaves the file unchanged"),
                 qPrintable(text));

        if (kind == "replaced") {
            QVERIFY(QDir(path).removeRecursively());
            bytes = "theirs";
            QVERIFY(WriteBytes(path, bytes));
        }
        // Retry could never help, Save As can.
        messages.Answer({MessageBox::Answer::SaveAs});
        ChooseInNextFileDialog(folder.File("kept.bio"));
        app.ExitInstance();
        QCOMPARE(messages.Shown().size(), size_t(2));
        QCOMPARE(messages.Shown().back().buttons, MessageBox::Buttons::SaveAsCancel);
        QVERIFY2(messages.Shown().back().text.contains("could not be read when Orvina started"),
                 qPrintable(messages.Shown().back().text));
        QCOMPARE(ReadBytes(folder.File("kept.bio")), kDefaultDatabase);
        QCOMPARE(QFileInfo(path).isDir(), kind == "folder");
        QCOMPARE(QFileInfo(path).isSymLink(), kind == "link");
        QCOMPARE(ReadBytes(path), bytes);
        QCOMPARE(QDir(folder.Path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System).size(), 2);
    }

    void aChangedDatabaseIsNeverOverwritten_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("meanwhile");  // null: removed; as before: untouched
        QTest::addColumn<bool>("mineTaken");
        QTest::addColumn<QString>("oursIn");        // empty: the database itself
        QTest::addColumn<bool>("checkpoint");       // a checkpoint without interaction before the end

        const QByteArray none;
        const QByteArray two = TwoDefaultPeople();
        QTest::newRow("rewritten by another program") << two << kDefaultDatabase << false << "database.bio.mine"
                                                      << false;
        QTest::newRow("rewritten, then a checkpoint") << two << kDefaultDatabase << false << "database.bio.mine"
                                                      << true;
        QTest::newRow("appeared where there was none") << none << two << false << "database.bio.mine" << false;
        QTest::newRow("the first name beside it taken") << kDefaultDatabase << two << true << "database.bio.mine.1"
                                                        << false;
        QTest::newRow("removed by another program") << two << none << false << "" << false;
        QTest::newRow("left alone") << two << two << false << "" << false;
    }

    void aChangedDatabaseIsNeverOverwritten()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, meanwhile);
        QFETCH(bool, mineTaken);
        QFETCH(QString, oursIn);
        QFETCH(bool, checkpoint);
        TestFolder folder;
        const QString path = folder.File("database.bio");
        if (!before.isNull())
            QVERIFY(WriteBytes(path, before));
        if (mineTaken)
            QVERIFY(WriteBytes(path + ".mine", "x"));
        MessageRecorder messages;
        COvixApp app;
        app.InitInstance();
        // What this run holds: the people it read, or the default person.
        const QByteArray ours = before.isNull() ? kDefaultDatabase : before;

        if (meanwhile != before)
            QVERIFY(meanwhile.isNull() ? QFile::remove(path) : WriteBytes(path, meanwhile));
        if (checkpoint)
            app.OnCommitData([] { return false; });
        app.ExitInstance();

        if (oursIn.isEmpty()) {
            QCOMPARE(ReadBytes(path), ours);
            QVERIFY(messages.Shown().empty());
            return;
        }
        QCOMPARE(ReadBytes(path), meanwhile);
        QCOMPARE(ReadBytes(folder.File(oursIn)), ours);
        QVERIFY(!QFile::exists(folder.File(oursIn + ".1")));
        QCOMPARE(messages.Shown().size(), size_t(1));
        const QString& text = messages.Shown().front().text;
        QVERIFY2(text.contains('"' + path + "\" was changed") && text.contains('"' + folder.File(oursIn) + '"'),
                 qPrintable(text));
    }

    void aDatabaseInUseIsNotSaved()
    {
        // A lock held in this process stands for another running copy.
        TestFolder folder;
        const QString path = folder.File("database.bio");
        QVERIFY(WriteBytes(path, TwoDefaultPeople()));
        QLockFile other(path + ".lock");
        QVERIFY(other.tryLock(0));
        MessageRecorder messages;
        COvixApp app;
        app.InitInstance();
        QCOMPARE(app.m_names.Count(), 2);
        QCOMPARE(messages.Shown().size(), size_t(1));
        const MessageBox::Request& shown = messages.Shown().front();
        QVERIFY(shown.owner == app.MainFrame());
        QVERIFY2(shown.text.contains('"' + path + "\" is in use by another running Orvina (process " +
                                     QString::number(QCoreApplication::applicationPid()) + ")") &&
                     shown.text.contains("does not save"),
                 qPrintable(shown.text));

        app.m_names.RemoveAt(0);
        app.OnCommitData([] { return true; });
        app.ExitInstance();
        QCOMPARE(ReadBytes(path), TwoDefaultPeople());
        QCOMPARE(QDir(folder.Path()).entryList(QDir::Files | QDir::Hidden), QStringList({"database.bio", "database.bio.lock"}));
        QCOMPARE(messages.Shown().size(), size_t(1));
    }

    void aFailedCheckpointAsksOnlyWhenAllowed_data()
    {
        QTest::addColumn<bool>("allowed");
        QTest::newRow("the session manager allows it") << true;
        QTest::newRow("it does not") << false;
    }

    void aFailedCheckpointAsksOnlyWhenAllowed()
    {
        QFETCH(bool, allowed);
        TestFolder folder;
        COvixApp app;
        app.InitInstance();
        MessageRecorder messages;
        {
            FileSizeLimit limit(static_cast<rlim_t>(kDefaultDatabase.size()) - 1);
            app.OnCommitData([allowed] { return allowed; });
        }
        QCOMPARE(messages.Shown().size(), size_t(allowed ? 1 : 0));
        QVERIFY(app.MainFrame()->isVisible());
        QVERIFY(!QFile::exists(folder.File("database.bio")));
        // Left for the save at exit.
        app.ExitInstance();
        QCOMPARE(ReadBytes(folder.File("database.bio")), kDefaultDatabase);
    }

    void aRemovedWorkingFolderIsReported()
    {
        auto folder = std::make_unique<TestFolder>();
        const QString path = folder->File("database.bio");
        MessageRecorder messages;
        COvixApp app;
        app.InitInstance();
        QVERIFY(QDir(folder->Path()).removeRecursively());

        app.ExitInstance();
        QCOMPARE(messages.Shown().size(), size_t(1));
        QVERIFY2(messages.Shown().front().text.contains(path), qPrintable(messages.Shown().front().text));
        QVERIFY(!QFile::exists(path));
    }

    void theProfileKeepsThePreviewPageCount_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<bool>("writtenAtExit");
        QTest::newRow("never chosen") << 0 << false;
        QTest::newRow("two pages") << 2 << true;
    }

    void theProfileKeepsThePreviewPageCount()
    {
        QFETCH(int, stored);
        QFETCH(bool, writtenAtExit);
        TestFolder folder;
        QFile::remove(m_profileDir.filePath("Quandrel/Orvina 2.1.conf"));
        if (stored != 0)
            Profile().WriteProfileInt("Settings", "PreviewPages", stored);
        {
            COvixApp app;
            app.InitInstance();
            QCOMPARE(app.MainFrame()->View().PreviewPages(), stored);
            QFile::remove(m_profileDir.filePath("Quandrel/Orvina 2.1.conf"));
            app.ExitInstance();
        }
        QCOMPARE(Profile().GetProfileInt("Settings", "PreviewPages", -1), writtenAtExit ? stored : -1);
    }

private:
    QTemporaryDir m_profileDir;
};

QTEST_MAIN(OvixAppTest)
#include "ovixapp_test.moc"
