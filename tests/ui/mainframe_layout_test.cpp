// The main frame's layout in the profile: what a run writes when the window
// is destroyed or the session ends, and what the next run makes of it.
#include "view/ovixview.h"
#include "frame/windowplacement.h"
#include "programtestenv.h"

#include <QScreen>
#include <QStyle>
#include <QtTest>

#include <limits>
#include <map>

namespace {
using Values = std::map<QString, int>;

constexpr int kMin = std::numeric_limits<int32_t>::min();
constexpr int kMax = std::numeric_limits<int32_t>::max();

QSettings Store()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, "Quandrel", "Orvina 2.1");
}

// A window in `showCmd` whose normal frame is `frame`, with the chosen person `bioName`.
Values Layout(const QRect& frame = QRect(40, 50, 600, 420), int showCmd = 1, int flags = 0, int bioName = 0)
{
    return {{"Settings/BioName", bioName}, {"Layout/flags", flags},
            {"Layout/showCmd", showCmd},   {"Layout/x1", frame.left()},
            {"Layout/y1", frame.top()},    {"Layout/x2", frame.left() + frame.width()},
            {"Layout/y2", frame.top() + frame.height()}};
}

void WriteStore(const Values& values)
{
    QSettings store = Store();
    store.clear();
    for (const auto& [key, value] : values)
        store.setValue(key, value);
}

Values ReadStore()
{
    QSettings store = Store();
    store.sync();
    Values values;
    for (const QString& key : store.allKeys())
        values[key] = store.value(key).toInt();
    return values;
}
}

Q_DECLARE_METATYPE(Values)
Q_DECLARE_METATYPE(Qt::WindowStates)

class MainFrameLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { UseTemporaryProfile(m_profileDir); }

    void init()
    {
        Store().clear();
        m_folder = std::make_unique<TestFolder>();
    }

    void cleanup()
    {
        m_app.reset();
        m_folder.reset();
    }

    // Maximise, end, start again (maximised), restore, end: the normal
    // rectangle comes back and is stored to the pixel, cycle after cycle.
    void theMaximiseRoundTripKeepsTheNormalRectangle()
    {
        WriteStore(Layout());
        for (int cycle = 0; cycle < 3; ++cycle) {
            Start();
            QTRY_COMPARE(Frame().frameGeometry(), QRect(40, 50, 600, 420));
            Frame().showMaximized();
            QTRY_VERIFY(Frame().isMaximized());
            Stop();
            QCOMPARE(ReadStore(), Layout(QRect(40, 50, 600, 420), 3));
            Start();
            QVERIFY(Frame().isMaximized());
            Frame().showNormal();
            QTRY_VERIFY(!Frame().isMaximized());
            QTRY_COMPARE(Frame().frameGeometry(), QRect(40, 50, 600, 420));
            Stop();
            QCOMPARE(ReadStore(), Layout());
        }
    }

    void theStateAtTheEndIsStored_data()
    {
        QTest::addColumn<bool>("fromMaximised");
        QTest::newRow("minimised") << false;
        QTest::newRow("minimised from maximised") << true;
    }

    void theStateAtTheEndIsStored()
    {
        QFETCH(bool, fromMaximised);
        WriteStore(Layout());
        Start();
        QTRY_COMPARE(Frame().frameGeometry(), QRect(40, 50, 600, 420));
        if (fromMaximised) {
            Frame().showMaximized();
            QTRY_VERIFY(Frame().isMaximized());
        }
        Frame().showMinimized();
        QTRY_VERIFY(Frame().isMinimized());
        Stop();
        QCOMPARE(ReadStore(), Layout(QRect(40, 50, 600, 420), 2, fromMaximised ? 2 : 0));
    }

    // The rule alone, on a 1000 by 800 screen with 32-pixel icons and a
    // 20-pixel caption: both sides of every limit.
    void thePlacementRule_data()
    {
        QTest::addColumn<QList<int>>("edges");  // left, top, right, bottom
        QTest::addColumn<bool>("accepted");
        QTest::newRow("normal") << QList<int>{40, 50, 640, 470} << true;
        QTest::newRow("left far off, right end on the screen") << QList<int>{-30000, 50, 1, 470} << true;
        QTest::newRow("right edge at the screen's left") << QList<int>{-30000, 50, 0, 470} << false;
        QTest::newRow("caption's last line on the screen") << QList<int>{40, -19, 640, 400} << true;
        QTest::newRow("caption just above the screen") << QList<int>{40, -20, 640, 400} << false;
        QTest::newRow("left one icon short of the right edge") << QList<int>{968, 50, 1568, 470} << true;
        QTest::newRow("left beyond that") << QList<int>{969, 50, 1569, 470} << false;
        QTest::newRow("top one icon short of the bottom") << QList<int>{40, 768, 640, 1000} << true;
        QTest::newRow("top beyond that") << QList<int>{40, 769, 640, 1000} << false;
        QTest::newRow("smallest size") << QList<int>{40, 50, 41, 51} << true;
        QTest::newRow("zero width") << QList<int>{40, 50, 40, 470} << false;
        QTest::newRow("negative height") << QList<int>{40, 50, 640, 10} << false;
        QTest::newRow("largest size") << QList<int>{40, 50, 40 + 32767, 50 + 32767} << true;
        QTest::newRow("wider than 32767") << QList<int>{40, 50, 40 + 32768, 470} << false;
        QTest::newRow("higher than 32767") << QList<int>{40, 50, 640, 50 + 32768} << false;
        QTest::newRow("edges at the ends of 32 bits") << QList<int>{kMin, 50, kMax, 470} << false;
        QTest::newRow("off every screen") << QList<int>{-2000000000, -2000000000, -1999999400, -1999999580} << false;
    }

    void thePlacementRule()
    {
        QFETCH(QList<int>, edges);
        QFETCH(bool, accepted);
        WindowPlacement placement;
        placement.left = edges[0];
        placement.top = edges[1];
        placement.right = edges[2];
        placement.bottom = edges[3];
        QCOMPARE(placement.StartsOnScreen(QSize(1000, 800), QSize(32, 32)) && placement.HasUsableSize() &&
                     placement.CaptionOnScreen({QRect(0, 0, 1000, 800)}, 20),
                 accepted);
    }

    // Through the real frame: the state, the screen, icon and caption it
    // measures, and a missing value.
    void restoreLayout_data()
    {
        QTest::addColumn<Values>("stored");
        QTest::addColumn<Qt::WindowStates>("states");  // none with `restored` false: left alone
        QTest::addColumn<bool>("restored");
        QCOMPARE(QGuiApplication::primaryScreen()->availableGeometry().topLeft(), QPoint(0, 0));
        const int caption = QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight);
        const int right = QGuiApplication::primaryScreen()->geometry().width() -
                          QApplication::style()->pixelMetric(QStyle::PM_LargeIconSize);
        Values noFlags = Layout(QRect(40, 50, 600, 420), 1, 0, 2);
        noFlags.erase("Layout/flags");
        QTest::newRow("minimised") << Layout(QRect(40, 50, 600, 420), 2, 0, 2)
                                   << Qt::WindowStates(Qt::WindowMinimized) << true;
        QTest::newRow("minimised from maximised") << Layout(QRect(40, 50, 600, 420), 2, 2, 2)
                                                  << (Qt::WindowMinimized | Qt::WindowMaximized) << true;
        QTest::newRow("caption's last line on the screen")
            << Layout(QRect(40, 1 - caption, 600, 400), 1, 0, 2) << Qt::WindowStates() << true;
        QTest::newRow("caption just above the screen")
            << Layout(QRect(40, -caption, 600, 400), 1, 0, 2) << Qt::WindowStates() << false;
        QTest::newRow("x1 one icon short of the right edge")
            << Layout(QRect(right, 50, 600, 420), 1, 0, 2) << Qt::WindowStates() << true;
        QTest::newRow("x1 beyond the screen")
            << Layout(QRect(right + 1, 50, 600, 420), 1, 0, 2) << Qt::WindowStates() << false;
        QTest::newRow("zero width") << Layout(QRect(40, 50, 0, 420), 1, 0, 2) << Qt::WindowStates() << false;
        QTest::newRow("flags missing") << noFlags << Qt::WindowStates() << false;
    }

    void restoreLayout()
    {
        QFETCH(Values, stored);
        QFETCH(Qt::WindowStates, states);
        QFETCH(bool, restored);
        Start();
        WriteStore(stored);
        // A second frame that is never shown: nothing of the platform moves it.
        CMainFrame frame(*m_app, *m_app->Document(), m_app->GetProfile(), m_app->Printer());
        const QRect before = frame.geometry();
        QCOMPARE(frame.RestoreLayout("Layout"), restored ? 1 : 0);
        QCOMPARE(frame.windowState(), states);
        const QRect wanted(QPoint(stored["Layout/x1"], stored["Layout/y1"]),
                           QPoint(stored["Layout/x2"] - 1, stored["Layout/y2"] - 1));
        QCOMPARE(QRect(frame.pos(), frame.normalGeometry().size()), restored ? wanted : before);
    }

    // The first run (nothing stored) keeps the default size; the person is
    // chosen when the window is first shown, and the first paint draws them.
    void theChosenPerson_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<int>("chosen");
        QTest::newRow("missing") << QVariant() << 0;
        QTest::newRow("0") << QVariant(0) << 0;
        QTest::newRow("negative") << QVariant(-3) << 0;
        QTest::newRow("the last of three") << QVariant(2) << 2;
        QTest::newRow("beyond the list") << QVariant(7) << 0;
    }

    void theChosenPerson()
    {
        QFETCH(QVariant, stored);
        QFETCH(int, chosen);
        if (stored.isValid())
            Store().setValue("Settings/BioName", stored);
        QVERIFY(WriteDatabase(m_folder->File("database.bio"), {CName("Person 0", "1970", "5", "1"),
                                                               CName("Person 1", "1970", "5", "2"),
                                                               CName("Person 2", "1970", "5", "3")}));
        Start();
        QCOMPARE(m_indexAtShow, chosen);
        QCOMPARE(Frame().size(), QSize(CMainFrame::kDefaultWidth, CMainFrame::kDefaultHeight));
        QCOMPARE(Frame().windowState(), Qt::WindowNoState);
        QTRY_VERIFY(m_painted);
        QCOMPARE(m_titleAtFirstPaint, QString("Person %1").arg(chosen));
        Stop();
        QCOMPARE(ReadStore().at("Settings/BioName"), chosen);
    }

    // All seven values, at the end of the session and again at destruction;
    // a store that cannot be written is reported.
    void theEndOfTheSessionSavesAndTheDestructionSavesAgain()
    {
        Start();
        Frame().setGeometry(90, 80, 520, 380);
        QTRY_COMPARE(Frame().geometry(), QRect(90, 80, 520, 380));
        const Values expected = Layout(Frame().frameGeometry());
        Frame().OnEndSession();
        QCOMPARE(ReadStore(), expected);
        Store().clear();
        QCOMPARE(Frame().SaveLayout("Layout"), 1);
        // A folder where the file should be: no write can succeed.
        const QString file = Store().fileName();
        QFile::remove(file);
        QVERIFY(QDir().mkpath(file));
        QCOMPARE(Frame().SaveLayout("Layout"), 0);
        QVERIFY(QDir(file).removeRecursively());
        Stop();
        QCOMPARE(ReadStore(), expected);
    }

    void aWindowNeverShownLeavesTheStoreAlone()
    {
        Start();
        WriteStore(Layout(QRect(40, 50, 600, 420), 1, 0, 2));
        {
            CMainFrame frame(*m_app, *m_app->Document(), m_app->GetProfile(), m_app->Printer());
            QVERIFY(frame.Created());
        }
        QCOMPARE(ReadStore(), Layout(QRect(40, 50, 600, 420), 1, 0, 2));
    }

private:
    CMainFrame& Frame() { return *m_app->MainFrame(); }

    // The program's start-up, which ends by showing the frame.
    void Start()
    {
        m_painted = false;
        m_app = std::make_unique<COvixApp>();
        m_app->InitInstance();
        m_indexAtShow = m_app->m_chosenIndex;
        Frame().View().m_onFirstPaint = [this] {
            m_painted = true;
            m_titleAtFirstPaint = QString::fromStdString(m_app->Document()->GetTitle());
        };
        QVERIFY(QTest::qWaitForWindowExposed(&Frame()) || Frame().isMinimized());
    }

    // The program's shutdown: the frame is destroyed, then the database written.
    void Stop() { m_app.reset(); }

    QTemporaryDir m_profileDir;
    std::unique_ptr<TestFolder> m_folder;
    std::unique_ptr<COvixApp> m_app;
    bool m_painted = false;
    int m_indexAtShow = -1;
    QString m_titleAtFirstPaint;
};

QTEST_MAIN(MainFrameLayoutTest)
#include "mainframe_layout_test.moc"
