// Start-up and shutdown of the application object in a temporary folder:
// the first run, a damaged database, a save that fails, an unreadable file
// and a file changed by another program.
#include "people/archivereader.h"
#include "view/ovixview.h"
#include "programtestenv.h"
#include "testfiles.h"

#include <QFileDialog>

namespace {
using A = MessageBox::Answer;

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

int FilesIn(const TestFolder& folder)
{
    return int(QDir(folder.Path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System).size());
}
}

class OvixAppTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { UseTemporaryProfile(m_profileDir); }

    // The default person, today's month, and the default person written at
    // exit; the profile's preview page count read at start and, once chosen,
    // written at exit.
    void firstRunInAnEmptyFolder()
    {
        for (const int pages : {0, 2}) {
            TestFolder folder;
            FixedToday today({2024, 2, 29});
            MessageRecorder messages;
            QFile::remove(m_profileDir.filePath("Quandrel/Orvina 2.1.conf"));
            if (pages)
                Profile().WriteProfileInt("Settings", "PreviewPages", pages);
            COvixApp app;
            QVERIFY(app.InitInstance() && app.MainFrame()->isVisible());
            QCOMPARE(app.m_names.Count(), 1);
            QCOMPARE(app.DatabasePath(), folder.File("database.bio").toStdString());
            const CChart& chart = app.MainFrame()->View().Chart();
            QCOMPARE(QDate(chart.m_year, chart.m_month, chart.m_day), QDate(2024, 2, 29));
            const CCompatibilityDlg& compatibility = app.MainFrame()->View().CompatibilityDialog();
            QVERIFY(compatibility.m_index1 == 0 && compatibility.m_index2 == 0);
            QCOMPARE(app.MainFrame()->View().PreviewPages(), pages);
            QVERIFY(messages.Shown().empty());
            QFile::remove(m_profileDir.filePath("Quandrel/Orvina 2.1.conf"));

            app.ExitInstance();
            QVERIFY(app.MainFrame() == nullptr);
            QCOMPARE(ReadBytes(folder.File("database.bio")), kDefaultDatabase);
            QCOMPARE(Profile().GetProfileInt("Settings", "PreviewPages", -1), pages ? pages : -1);
        }
    }

    // The records before the fault are kept, or the default person when there
    // are none; the damaged bytes survive the save at exit beside it.
    void aDamagedDatabaseIsReportedOnce()
    {
        for (const QByteArray& bytes : {QByteArray(), TwoDefaultPeople().left(40),
                                        QByteArray(kDefaultDatabase).replace("CName", "CList")}) {
            TestFolder folder;
            MessageRecorder messages;
            const QString path = folder.File("database.bio");
            QVERIFY(WriteBytes(path, bytes));
            COvixApp app;
            app.InitInstance();
            QCOMPARE(app.m_names.Count(), 1);
            QCOMPARE(app.m_names.At(0)->m_name, std::string("New Name"));
            QCOMPARE(messages.Shown().size(), size_t(1));
            const MessageBox::Request& shown = messages.Shown().front();
            const ArchiveReadResult read = ReadArchive(std::string_view(bytes.constData(), bytes.size()));
            QVERIFY(read.fault.has_value());
            QVERIFY2(shown.text.contains(path) && shown.text.contains(QString("byte %1").arg(read.fault->offset)) &&
                         shown.text.contains(QString::fromStdString(read.fault->reason)) &&
                         shown.text.contains("copied to \"" + path + ".damaged\""),
                     qPrintable(shown.text));
            QVERIFY(shown.caption == "Orvina 2.1" && shown.buttons == MessageBox::Buttons::Ok && shown.owner == app.MainFrame());

            app.ExitInstance();
            QCOMPARE(messages.Shown().size(), size_t(1));
            QCOMPARE(ReadBytes(path + ".damaged"), bytes);
            // Either the one record before the fault or the default person: both
            // are "New Name" born 1901-01-01.
            QCOMPARE(ReadBytes(path), kDefaultDatabase);
        }
    }

    // The new file (55 bytes) cannot be written; the old one (33) stays,
    // unless the fault is gone by the Retry or the people go elsewhere.
    void aFailedSaveKeepsTheOldFile()
    {
        struct Row {
            std::deque<A> answers;
            bool liftAtFirstMessage;
            int messageCount;
            QByteArray fileAfter;
            bool savedAs;
        };
        for (const Row& row : {Row{{A::Cancel}, false, 1, kDefaultDatabase, false},
                               Row{{A::Retry, A::Cancel}, false, 2, kDefaultDatabase, false},
                               Row{{A::Retry}, true, 1, TwoDefaultPeople(), false},
                               Row{{A::SaveAs}, true, 1, kDefaultDatabase, true}}) {
            TestFolder folder;
            const QString path = folder.File("database.bio");
            QVERIFY(WriteBytes(path, kDefaultDatabase));
            if (row.savedAs)
                ChooseInNextFileDialog(folder.File("other.bio"));
            COvixApp app;
            app.InitInstance();
            app.m_names.Append(CName("New Name", "1901", "01", "01"));
            FileSizeLimit limit(static_cast<rlim_t>(kDefaultDatabase.size()) + 10);
            MessageRecorder messages;
            messages.m_answers = row.answers;
            bool windowGone = true;
            messages.m_onShow = [&](const MessageBox::Request&) {
                windowGone = windowGone && app.MainFrame() == nullptr;
                if (row.liftAtFirstMessage)
                    limit.Lift();
            };
            app.ExitInstance();
            limit.Lift();

            QCOMPARE(int(messages.Shown().size()), row.messageCount);
            QVERIFY2(windowGone, "the main window must be destroyed before the database is written");
            const MessageBox::Request& shown = messages.Shown().front();
            QVERIFY(shown.buttons == MessageBox::Buttons::RetrySaveAsCancel && shown.caption == "Orvina 2.1");
            QVERIFY2(shown.text.startsWith("The people could not be saved to \"" + path + "\": "), qPrintable(shown.text));
            QCOMPARE(shown.text.count('.'), path.count('.') + 1);
            QCOMPARE(ReadBytes(path), row.fileAfter);
            QCOMPARE(ReadBytes(folder.File("other.bio")), row.savedAs ? TwoDefaultPeople() : QByteArray());
            QVERIFY(app.m_names.IsEmpty());
            QCOMPARE(FilesIn(folder), row.savedAs ? 2 : 1);
        }
    }

    // A folder stands in for a file that cannot be read, which permission
    // bits cannot make for a test that may run as root. Retry could never
    // help, Save As can; whatever stands at the path by the end was never
    // loaded and stays.
    void anUnreadableDatabaseIsNeverReplaced()
    {
        for (const QString kind : {"folder", "link", "damaged", "replaced"}) {
            TestFolder folder;
            const QString path = folder.File("database.bio");
            QByteArray bytes;
            if (kind == "damaged") {
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
                         text.contains(kind == "damaged" ? "no complete copy" : "") && text.contains("leaves the file unchanged"),
                     qPrintable(text));
            if (kind == "replaced") {
                QVERIFY(QDir(path).removeRecursively());
                bytes = "theirs";
                QVERIFY(WriteBytes(path, bytes));
            }
            messages.m_answers = {A::SaveAs};
            ChooseInNextFileDialog(folder.File("kept.bio"));
            app.ExitInstance();
            QCOMPARE(messages.Shown().size(), size_t(2));
            QCOMPARE(messages.Shown().back().buttons, MessageBox::Buttons::SaveAsCancel);
            QVERIFY(messages.Shown().back().text.contains("could not be read when Orvina started"));
            QCOMPARE(ReadBytes(folder.File("kept.bio")), kDefaultDatabase);
            QVERIFY(QFileInfo(path).isDir() == (kind == "folder") && QFileInfo(path).isSymLink() == (kind == "link"));
            QCOMPARE(ReadBytes(path), bytes);
            QCOMPARE(FilesIn(folder), 2);
        }
    }

    // Our people go beside a file another program changed (or made); a
    // checkpoint before the end does not write over it either.
    void aChangedDatabaseIsNeverOverwritten()
    {
        const QByteArray none;
        const QByteArray two = TwoDefaultPeople();
        struct Row {
            QByteArray before;
            QByteArray meanwhile;  // null: removed; as before: untouched
            bool mineTaken;
            QString oursIn;        // empty: the database itself
            bool checkpoint;
        };
        for (const Row& row : {Row{two, kDefaultDatabase, false, "database.bio.mine", false},
                               Row{two, kDefaultDatabase, false, "database.bio.mine", true},
                               Row{none, two, false, "database.bio.mine", false},
                               Row{kDefaultDatabase, two, true, "database.bio.mine.1", false}, Row{two, none, false, "", false},
                               Row{two, two, false, "", false}}) {
            TestFolder folder;
            const QString path = folder.File("database.bio");
            if (!row.before.isNull())
                QVERIFY(WriteBytes(path, row.before));
            if (row.mineTaken)
                QVERIFY(WriteBytes(path + ".mine", "x"));
            MessageRecorder messages;
            COvixApp app;
            app.InitInstance();
            if (row.meanwhile != row.before)
                QVERIFY(row.meanwhile.isNull() ? QFile::remove(path) : WriteBytes(path, row.meanwhile));
            if (row.checkpoint)
                app.OnCommitData([] { return false; });
            app.ExitInstance();

            const QByteArray ours = row.before.isNull() ? kDefaultDatabase : row.before;
            QCOMPARE(ReadBytes(path), row.oursIn.isEmpty() ? ours : row.meanwhile);
            QCOMPARE(messages.Shown().size(), size_t(row.oursIn.isEmpty() ? 0 : 1));
            if (row.oursIn.isEmpty())
                continue;
            QCOMPARE(ReadBytes(folder.File(row.oursIn)), ours);
            QVERIFY(!QFile::exists(folder.File(row.oursIn + ".1")));
            const QString& text = messages.Shown().front().text;
            QVERIFY2(text.contains('"' + path + "\" was changed") && text.contains('"' + folder.File(row.oursIn) + '"'),
                     qPrintable(text));
        }
    }

private:
    QTemporaryDir m_profileDir;
};

QTEST_MAIN(OvixAppTest)
#include "ovixapp_test.moc"
