// The main frame's layout and chosen person in the profile store: what a
// run writes when the window is destroyed and what the next run makes of it,
// and the rule that decides whether a stored place is used.
#include "frame/windowplacement.h"
#include "view/ovixview.h"
#include "programtestenv.h"

#include <QtTest>

#include <limits>
#include <map>

namespace {
using Values = std::map<QString, int>;

constexpr int kMin = std::numeric_limits<int32_t>::min();
constexpr int kMax = std::numeric_limits<int32_t>::max();
const QRect kFrame(40, 50, 600, 420);

QSettings Store()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, "Quandrel", "Orvina 2.1");
}

// A window in `showCmd` whose normal frame is `frame`, with the chosen person `bioName`.
Values Layout(const QRect& frame = kFrame, int showCmd = 1, int flags = 0, int bioName = 0)
{
    return {{"Settings/BioName", bioName}, {"Layout/flags", flags}, {"Layout/showCmd", showCmd},
            {"Layout/x1", frame.left()}, {"Layout/y1", frame.top()}, {"Layout/x2", frame.left() + frame.width()},
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
    // Minimised from maximised at the end is stored so.
    void theStateAtTheEndIsStored()
    {
        WriteStore(Layout());
        for (int cycle = 0; cycle < 2; ++cycle) {
            Start();
            QTRY_COMPARE(Frame().frameGeometry(), kFrame);
            Frame().showMaximized();
            QTRY_VERIFY(Frame().isMaximized());
            Stop();
            QCOMPARE(ReadStore(), Layout(kFrame, 3));
            Start();
            QVERIFY(Frame().isMaximized());
            Frame().showNormal();
            QTRY_VERIFY(!Frame().isMaximized());
            QTRY_COMPARE(Frame().frameGeometry(), kFrame);
            Stop();
            QCOMPARE(ReadStore(), Layout());
        }
        Start();
        Frame().showMaximized();
        QTRY_VERIFY(Frame().isMaximized());
        Frame().showMinimized();
        QTRY_VERIFY(Frame().isMinimized());
        Stop();
        QCOMPARE(ReadStore(), Layout(kFrame, 2, 2));
    }

    // The rule alone, on a 1000 by 800 screen with 32-pixel icons and a
    // 20-pixel caption: both sides of every limit.
    void thePlacementRule()
    {
        for (const auto& [left, top, right, bottom, accepted] :
             {std::tuple{40, 50, 640, 470, true}, {-30000, 50, 1, 470, true}, {-30000, 50, 0, 470, false},
              {40, -19, 640, 400, true}, {40, -20, 640, 400, false},             // the caption's last line
              {968, 50, 1568, 470, true}, {969, 50, 1569, 470, false},           // one icon short of the right
              {40, 768, 640, 1000, true}, {40, 769, 640, 1000, false},           // and of the bottom
              {40, 50, 41, 51, true}, {40, 50, 40, 470, false}, {40, 50, 640, 10, false},
              {40, 50, 40 + 32767, 50 + 32767, true}, {40, 50, 40 + 32768, 470, false}, {40, 50, 640, 50 + 32768, false},
              {kMin, 50, kMax, 470, false}, {-2000000000, -2000000000, -1999999400, -1999999580, false}}) {
            WindowPlacement placement;
            placement.left = left;
            placement.top = top;
            placement.right = right;
            placement.bottom = bottom;
            QCOMPARE(placement.StartsOnScreen(QSize(1000, 800), QSize(32, 32)) && placement.HasUsableSize() &&
                         placement.CaptionOnScreen({QRect(0, 0, 1000, 800)}, 20),
                     accepted);
        }
    }

    // The first run (nothing stored) keeps the default size; the person is
    // chosen when the window is first shown, and the first paint draws them.
    void theChosenPerson()
    {
        for (const auto& [stored, chosen] : {std::pair{QVariant(), 0}, {QVariant(0), 0}, {QVariant(-3), 0},
                                             {QVariant(2), 2}, {QVariant(7), 0}}) {
            cleanup();
            init();
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
    }

private:
    CMainFrame& Frame() { return *m_app->MainFrame(); }

    // The program's start-up, which ends by showing the frame.
    void Start()
    {
        m_painted = false;
        m_app = std::make_unique<COvixApp>();
        m_app->InitInstance();
        m_indexAtShow = m_app->ChosenIndex();
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
