// The main frame's layout in the profile: what a run writes when the window
// is destroyed or the session ends, and what the next run makes of it.
#include "chart/ovixview.h"
#include "people/databasefile.h"
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
const QSize kDefaultSize(CMainFrame::kDefaultWidth, CMainFrame::kDefaultHeight);

QSettings Store()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, "Quandrel", "Orvina 2.1");
}

// A normal window at (40, 50), 600 by 420, with the chosen person `bioName`.
Values NormalLayout(int bioName = 0)
{
    return {{"Settings/BioName", bioName}, {"Layout/flags", 0}, {"Layout/showCmd", 1}, {"Layout/x1", 40},
            {"Layout/y1", 50},             {"Layout/x2", 640},  {"Layout/y2", 470}};
}

Values Changed(Values values, const Values& changes)
{
    for (const auto& [key, value] : changes)
        values[key] = value;
    return values;
}

Values Without(Values values, const QString& key)
{
    values.erase(key);
    return values;
}

void WriteStore(const Values& values)
{
    QSettings store = Store();
    store.clear();
    for (const auto& [key, value] : values)
        store.setValue(key, value);
}

// Every value of the store, as numbers.
Values ReadStore()
{
    QSettings store = Store();
    store.sync();
    Values values;
    for (const QString& key : store.allKeys())
        values[key] = store.value(key).toInt();
    return values;
}

Values StoredPlacement(const QRect& frame, int showCmd, int flags, int bioName)
{
    return {{"Settings/BioName", bioName},
            {"Layout/flags", flags},
            {"Layout/showCmd", showCmd},
            {"Layout/x1", frame.left()},
            {"Layout/y1", frame.top()},
            {"Layout/x2", frame.left() + frame.width()},
            {"Layout/y2", frame.top() + frame.height()}};
}

QSize Screen()
{
    return QGuiApplication::primaryScreen()->geometry().size();
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

    // What the first run writes is checked with the end of the session below.
    void firstRunKeepsTheDefault()
    {
        Start();
        QCOMPARE(Frame().size(), kDefaultSize);
        QCOMPARE(Frame().windowState(), Qt::WindowNoState);
        QCOMPARE(m_app->m_chosenIndex, 0);
    }

    // Maximise, end, start again (maximised), restore, end: the normal
    // rectangle comes back and is stored to the pixel, cycle after cycle.
    void theMaximiseRoundTripKeepsTheNormalRectangle()
    {
        const Values maximised = Changed(NormalLayout(), {{"Layout/showCmd", 3}});
        WriteStore(NormalLayout());
        for (int cycle = 0; cycle < 3; ++cycle) {
            Start();
            QTRY_COMPARE(Frame().frameGeometry(), NormalFrame(NormalLayout()));
            Frame().showMaximized();
            QTRY_VERIFY(Frame().isMaximized());
            Stop();
            QCOMPARE(ReadStore(), maximised);
            Start();
            QVERIFY(Frame().isMaximized());
            Frame().showNormal();
            QTRY_VERIFY(!Frame().isMaximized());
            QTRY_COMPARE(Frame().frameGeometry(), NormalFrame(NormalLayout()));
            Stop();
            QCOMPARE(ReadStore(), NormalLayout());
        }
    }

    void theStateAtTheEndIsStored_data()
    {
        QTest::addColumn<Qt::WindowStates>("states");
        QTest::addColumn<int>("showCmd");
        QTest::addColumn<int>("flags");
        QTest::newRow("minimised") << Qt::WindowStates(Qt::WindowMinimized) << 2 << 0;
        QTest::newRow("minimised from maximised") << (Qt::WindowMinimized | Qt::WindowMaximized) << 2 << 2;
    }

    void theStateAtTheEndIsStored()
    {
        QFETCH(Qt::WindowStates, states);
        QFETCH(int, showCmd);
        QFETCH(int, flags);
        WriteStore(NormalLayout());
        Start();
        QTRY_COMPARE(Frame().frameGeometry(), NormalFrame(NormalLayout()));
        if (states & Qt::WindowMaximized) {
            Frame().showMaximized();
            QTRY_VERIFY(Frame().isMaximized());
        }
        if (states & Qt::WindowMinimized) {
            Frame().showMinimized();
            QTRY_VERIFY(Frame().isMinimized());
        }
        QCOMPARE(Frame().windowState(), states);
        Stop();
        QCOMPARE(ReadStore(), Changed(NormalLayout(), {{"Layout/showCmd", showCmd}, {"Layout/flags", flags}}));
    }

    // The rule alone, on a 1000 by 800 screen with 32-pixel icons and a
    // 20-pixel caption: both sides of every limit.
    void thePlacementRule_data()
    {
        QTest::addColumn<QList<int>>("edges");  // left, top, right, bottom
        QTest::addColumn<bool>("accepted");
        const QList<QPair<const char*, QPair<QList<int>, bool>>> rows = {
            {"normal", {{40, 50, 640, 470}, true}},
            {"left far off, right end on the screen", {{-30000, 50, 1, 470}, true}},
            {"right edge at the screen's left", {{-30000, 50, 0, 470}, false}},
            {"caption's last line on the screen", {{40, -19, 640, 400}, true}},
            {"caption just above the screen", {{40, -20, 640, 400}, false}},
            {"left one icon short of the right edge", {{968, 50, 1568, 470}, true}},
            {"left beyond that", {{969, 50, 1569, 470}, false}},
            {"top one icon short of the bottom", {{40, 768, 640, 1000}, true}},
            {"top beyond that", {{40, 769, 640, 1000}, false}},
            {"smallest size", {{40, 50, 41, 51}, true}},
            {"zero width", {{40, 50, 40, 470}, false}},
            {"negative height", {{40, 50, 640, 10}, false}},
            {"largest size", {{40, 50, 40 + 32767, 50 + 32767}, true}},
            {"wider than 32767", {{40, 50, 40 + 32768, 470}, false}},
            {"higher than 32767", {{40, 50, 640, 50 + 32768}, false}},
            {"edges at the ends of 32 bits", {{kMin, 50, kMax, 470}, false}},
            {"off every screen", {{-2000000000, -2000000000, -1999999400, -1999999580}, false}},
        };
        for (const auto& [name, row] : rows)
            QTest::newRow(name) << row.first << row.second;
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

    // Through the real frame: the screen, icon and caption it measures, and
    // a missing value.
    void restoreLayout_data()
    {
        QTest::addColumn<Values>("stored");
        QTest::addColumn<int>("result");
        QTest::addColumn<Qt::WindowStates>("states");
        const Values layout = NormalLayout(2);
        QCOMPARE(QGuiApplication::primaryScreen()->availableGeometry().topLeft(), QPoint(0, 0));
        const int caption = QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight);
        const int right = Screen().width() - QApplication::style()->pixelMetric(QStyle::PM_LargeIconSize);
        QTest::newRow("normal") << layout << 1 << Qt::WindowStates();
        QTest::newRow("minimised from maximised")
            << Changed(layout, {{"Layout/showCmd", 2}, {"Layout/flags", 2}}) << 1
            << (Qt::WindowMinimized | Qt::WindowMaximized);
        QTest::newRow("caption's last line on the screen")
            << Changed(layout, {{"Layout/y1", 1 - caption}, {"Layout/y2", 400}}) << 1 << Qt::WindowStates();
        QTest::newRow("caption just above the screen")
            << Changed(layout, {{"Layout/y1", -caption}, {"Layout/y2", 400}}) << 0 << Qt::WindowStates();
        QTest::newRow("x1 one icon short of the right edge")
            << Changed(layout, {{"Layout/x1", right}, {"Layout/x2", right + 600}}) << 1 << Qt::WindowStates();
        QTest::newRow("x1 beyond the screen")
            << Changed(layout, {{"Layout/x1", right + 1}, {"Layout/x2", right + 601}}) << 0 << Qt::WindowStates();
        QTest::newRow("flags missing") << Without(layout, "Layout/flags") << 0 << Qt::WindowStates();
    }

    void restoreLayout()
    {
        QFETCH(Values, stored);
        QFETCH(int, result);
        QFETCH(Qt::WindowStates, states);
        Start();
        WriteStore(stored);
        // A second frame that is never shown: nothing of the platform moves it.
        CMainFrame frame(*m_app, *m_app->Document());
        const QRect before = frame.geometry();
        QCOMPARE(frame.RestoreLayout("Layout"), result);
        QCOMPARE(m_app->m_chosenIndex, 2);
        QCOMPARE(frame.windowState(), states);
        if (result == 1) {
            QCOMPARE(frame.pos(), NormalFrame(stored).topLeft());
            QCOMPARE(frame.normalGeometry().size(), NormalFrame(stored).size());
        } else {
            QCOMPARE(frame.geometry(), before);
        }
    }

    void theChosenPerson_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<int>("atFirstShow");
        QTest::addColumn<int>("afterFirstPaint");
        QTest::newRow("missing") << QVariant() << 0 << 0;
        QTest::newRow("0") << QVariant(0) << 0 << 0;
        QTest::newRow("negative") << QVariant(-3) << 0 << 0;
        QTest::newRow("the last of three") << QVariant(2) << 2 << 2;
        QTest::newRow("beyond the list") << QVariant(7) << 7 << 0;
    }

    void theChosenPerson()
    {
        QFETCH(QVariant, stored);
        QFETCH(int, atFirstShow);
        QFETCH(int, afterFirstPaint);
        if (stored.isValid())
            Store().setValue("Settings/BioName", stored);
        WriteDatabase(3);
        Start();
        QCOMPARE(m_indexAtShow, atFirstShow);
        QTRY_VERIFY(m_painted);
        // The first paint already drew the restored person.
        QCOMPARE(m_titleAtFirstPaint, QString("Person %1").arg(afterFirstPaint));
        QCOMPARE(m_app->m_chosenIndex, afterFirstPaint);
        Stop();
        QCOMPARE(ReadStore().at("Settings/BioName"), afterFirstPaint);
    }

    void saveLayoutReportsAFailedStore_data()
    {
        QTest::addColumn<bool>("storeBroken");
        QTest::addColumn<int>("result");
        QTest::newRow("store writable") << false << 1;
        QTest::newRow("store cannot be written") << true << 0;
    }

    void saveLayoutReportsAFailedStore()
    {
        QFETCH(bool, storeBroken);
        QFETCH(int, result);
        Start();
        const QString file = Store().fileName();
        if (storeBroken) {
            // A folder where the file should be: no write can succeed.
            QFile::remove(file);
            QVERIFY(QDir().mkpath(file));
        }
        QCOMPARE(Frame().SaveLayout("Layout"), result);
        Stop();
        if (storeBroken)
            QVERIFY(QDir(file).removeRecursively());
    }

    // All seven values, at the end of the session and again at destruction.
    void theEndOfTheSessionSavesAndTheDestructionSavesAgain()
    {
        Start();
        Frame().setGeometry(90, 80, 520, 380);
        QTRY_COMPARE(Frame().geometry(), QRect(90, 80, 520, 380));
        const Values expected = StoredPlacement(Frame().frameGeometry(), 1, 0, 0);

        Frame().OnEndSession();
        QCOMPARE(ReadStore(), expected);
        Store().clear();
        Stop();
        QCOMPARE(ReadStore(), expected);
    }

    void aWindowNeverShownLeavesTheStoreAlone()
    {
        Start();
        WriteStore(NormalLayout(2));
        {
            CMainFrame frame(*m_app, *m_app->Document());
            QVERIFY(frame.Created());
        }
        QCOMPARE(ReadStore(), NormalLayout(2));
    }

private:
    CMainFrame& Frame() { return *m_app->MainFrame(); }

    // The stored normal frame; only for edges less than 2^31 apart.
    static QRect NormalFrame(const Values& stored)
    {
        const auto value = [&stored](const char* key) {
            const auto found = stored.find(key);
            return found == stored.end() ? -1 : found->second;
        };
        return QRect(QPoint(value("Layout/x1"), value("Layout/y1")),
                     QSize(value("Layout/x2") - value("Layout/x1"), value("Layout/y2") - value("Layout/y1")));
    }

    void WriteDatabase(int people)
    {
        CNameList names;
        for (int i = 0; i < people; ++i)
            names.Append(CName(QString("Person %1").arg(i).toStdString(), "1970", "5", QString::number(i + 1).toStdString()));
        QVERIFY(!SaveDatabaseFile(m_folder->File("database.bio").toStdString(), names));
    }

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
