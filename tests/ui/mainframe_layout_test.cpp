// The main frame's layout in the profile: what a run writes when the window
// is destroyed or the session ends, and what the next run makes of it.
#include "chart/ovixview.h"
#include "people/databasefile.h"
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
        QTest::newRow("maximised") << Qt::WindowStates(Qt::WindowMaximized) << 3 << 0;
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

    void restoreLayout_data()
    {
        QTest::addColumn<Values>("stored");
        QTest::addColumn<int>("result");
        QTest::addColumn<Qt::WindowStates>("states");
        const QSize screen = Screen();
        const Values layout = NormalLayout(2);
        // The test screen starts at (0, 0) and is all available.
        QCOMPARE(QGuiApplication::primaryScreen()->availableGeometry().topLeft(), QPoint(0, 0));
        const int caption = QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight);
        QVERIFY(caption > 1);
        const Qt::WindowStates normal = Qt::WindowNoState;

        QTest::newRow("normal") << layout << 1 << normal;
        QTest::newRow("maximised") << Changed(layout, {{"Layout/showCmd", 3}}) << 1
                                   << Qt::WindowStates(Qt::WindowMaximized);
        QTest::newRow("minimised") << Changed(layout, {{"Layout/showCmd", 2}}) << 1
                                   << Qt::WindowStates(Qt::WindowMinimized);
        QTest::newRow("minimised from maximised")
            << Changed(layout, {{"Layout/showCmd", 2}, {"Layout/flags", 2}}) << 1
            << (Qt::WindowMinimized | Qt::WindowMaximized);
        QTest::newRow("large negative x1, right end on the screen")
            << Changed(layout, {{"Layout/x1", -30000}, {"Layout/x2", 1}}) << 1 << normal;
        QTest::newRow("caption's last line on the screen")
            << Changed(layout, {{"Layout/y1", 1 - caption}, {"Layout/y2", 400}}) << 1 << normal;
        QTest::newRow("x1 one icon short of the right edge")
            << Changed(layout, {{"Layout/x1", screen.width() - 32}, {"Layout/x2", screen.width() + 568}}) << 1
            << normal;
        QTest::newRow("smallest size") << Changed(layout, {{"Layout/x2", 41}, {"Layout/y2", 51}}) << 1 << normal;
        QTest::newRow("largest size")
            << Changed(layout, {{"Layout/x2", 40 + 32767}, {"Layout/y2", 50 + 32767}}) << 1 << normal;

        QTest::newRow("x1 is -1") << Changed(layout, {{"Layout/x1", -1}}) << 0 << normal;
        QTest::newRow("off every screen")
            << Changed(layout, {{"Layout/x1", -2000000000}, {"Layout/y1", -2000000000},
                                {"Layout/x2", -1999999400}, {"Layout/y2", -1999999580}}) << 0 << normal;
        QTest::newRow("right edge at the screen's left")
            << Changed(layout, {{"Layout/x1", -30000}, {"Layout/x2", 0}}) << 0 << normal;
        QTest::newRow("caption just above the screen")
            << Changed(layout, {{"Layout/y1", -caption}, {"Layout/y2", 400}}) << 0 << normal;
        QTest::newRow("flags missing") << Without(layout, "Layout/flags") << 0 << normal;
        QTest::newRow("x1 beyond the screen")
            << Changed(layout, {{"Layout/x1", screen.width() - 31}, {"Layout/x2", screen.width() + 569}}) << 0
            << normal;
        QTest::newRow("zero width") << Changed(layout, {{"Layout/x2", 40}}) << 0 << normal;
        QTest::newRow("negative height") << Changed(layout, {{"Layout/y2", 10}}) << 0 << normal;
        QTest::newRow("wider than 32767") << Changed(layout, {{"Layout/x2", 40 + 32768}}) << 0 << normal;
        QTest::newRow("edges at the ends of 32 bits")
            << Changed(layout, {{"Layout/x1", kMin}, {"Layout/x2", kMax}}) << 0 << normal;
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
            const QRect wanted = NormalFrame(stored);
            QCOMPARE(frame.pos(), wanted.topLeft());
            QCOMPARE(frame.normalGeometry().size(), wanted.size());
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
