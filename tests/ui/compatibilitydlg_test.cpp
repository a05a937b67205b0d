#include "dialogrun.h"
#include "dialogs/compatibilitydlg.h"
#include "dialogs/dialogtemplates.h"
#include "people/appdata.h"
#include "platform/clock.h"

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include <functional>
#include <vector>

namespace {

QComboBox* Combo(const CDialog& dialog, int id)
{
    return qobject_cast<QComboBox*>(dialog.Control(id));
}

// The four results as shown: Physical, Emotional, Intellectual, Intuitional.
QStringList Results(const CDialog& dialog)
{
    QStringList results;
    for (const int id : {kIdcPhysical, kIdcEmotional, kIdcIntellectual, kIdcIntuitional})
        results.append(qobject_cast<QLabel*>(dialog.Control(id))->text());
    return results;
}

// Chooses entry `index` of a combo box with the keyboard, as a user does.
void Choose(QComboBox* combo, int index)
{
    QTest::keyClick(combo, Qt::Key_Home);
    for (int entry = 0; entry < index; ++entry)
        QTest::keyClick(combo, Qt::Key_Down);
}

}

Q_DECLARE_METATYPE(std::vector<CName>)

class CompatibilityDlgTest : public QObject {
    Q_OBJECT

private:
    CAppData m_app;

    void SetPeople(const std::vector<CName>& people)
    {
        m_app.m_names.Clear();
        for (const CName& person : people)
            m_app.m_names.Append(person);
        m_app.m_chosenIndex = 0;
        m_app.m_chosenPos = m_app.m_names.At(0);
    }

private slots:
    void init()
    {
        // The month decides only how many days are searched; March has 31.
        Clock::SetFixedToday(CDate{2024, 3, 15});
        SetPeople({CName("New Name", "1901", "01", "01"), CName("Day After", "1901", "1", "2"),
                   CName("Two Weeks", "1901", "01", "15"), CName("Leap", "2000", "2", "29"),
                   CName("Leap Plus 1", "2000", "03", "01"), CName("Plus 23", "1901", "1", "24")});
    }

    void cleanup() { Clock::SetFixedToday(std::nullopt); }

    void choosingTwoPeopleShowsTheirResults_data()
    {
        QTest::addColumn<int>("upper");
        QTest::addColumn<int>("lower");
        QTest::addColumn<bool>("lowerFirst");
        QTest::addColumn<QStringList>("results");
        const QStringList oneDay = {"91", "92", "93", "95"};
        const QStringList twoWeeks = {"22", "0", "15", "27"};
        QTest::newRow("one day apart") << 0 << 1 << false << oneDay;
        QTest::newRow("one day apart, swapped") << 1 << 0 << false << oneDay;
        QTest::newRow("14 days apart") << 0 << 2 << false << twoWeeks;
        QTest::newRow("14 days apart, swapped") << 2 << 0 << true << twoWeeks;
        QTest::newRow("23 days apart") << 5 << 0 << false << QStringList({"100", "64", "39", "21"});
    }

    void choosingTwoPeopleShowsTheirResults()
    {
        QFETCH(int, upper);
        QFETCH(int, lower);
        QFETCH(bool, lowerFirst);
        QFETCH(QStringList, results);
        CCompatibilityDlg dialog(m_app);
        RunDialog(dialog, nullptr, [&](QDialog*) {
            // The first opening compares the first person with itself.
            QCOMPARE(Results(dialog), QStringList({"100", "100", "100", "100"}));
            QCOMPARE(QApplication::focusWidget(), dialog.Control(kIdOk));
            if (lowerFirst) {
                Choose(Combo(dialog, kIdcName2), lower);
                Choose(Combo(dialog, kIdcName1), upper);
            } else {
                Choose(Combo(dialog, kIdcName1), upper);
                Choose(Combo(dialog, kIdcName2), lower);
            }
            QCOMPARE(Results(dialog), results);
            QCOMPARE(Combo(dialog, kIdcName1)->currentIndex(), upper);
            QCOMPARE(Combo(dialog, kIdcName2)->currentIndex(), lower);
        });
        QCOMPARE(dialog.m_index1, upper);
        QCOMPARE(dialog.m_index2, lower);
        QCOMPARE(m_app.m_chosenIndex, 0);
    }

    void removedPeopleAreNotUsed_data()
    {
        QTest::addColumn<int>("removed");
        QTest::addColumn<int>("upper");
        QTest::addColumn<QString>("upperName");
        QTest::addColumn<int>("lower");
        QTest::addColumn<QString>("lowerName");
        // The run before the removal compared people 2 ("Two Weeks") and 5
        // ("Plus 23").
        QTest::newRow("upper person removed") << 2 << 0 << "New Name" << 4 << "Plus 23";
        QTest::newRow("lower person removed, index past the end") << 5 << 2 << "Two Weeks" << 0 << "New Name";
        QTest::newRow("a person before both removed") << 1 << 1 << "Two Weeks" << 4 << "Plus 23";
    }

    void removedPeopleAreNotUsed()
    {
        QFETCH(int, removed);
        QFETCH(int, upper);
        QFETCH(QString, upperName);
        QFETCH(int, lower);
        QFETCH(QString, lowerName);
        CCompatibilityDlg dialog(m_app);
        RunDialog(dialog, nullptr, [&](QDialog*) {
            Choose(Combo(dialog, kIdcName1), 2);
            Choose(Combo(dialog, kIdcName2), 5);
        });
        QVERIFY(m_app.m_names.RemoveAt(removed));
        RunDialog(dialog, nullptr, [&](QDialog*) {
            QCOMPARE(Combo(dialog, kIdcName1)->currentIndex(), upper);
            QCOMPARE(Combo(dialog, kIdcName1)->currentText(), upperName);
            QCOMPARE(Combo(dialog, kIdcName2)->currentIndex(), lower);
            QCOMPARE(Combo(dialog, kIdcName2)->currentText(), lowerName);
            // A choice in the other list re-reads both lists.
            Choose(Combo(dialog, kIdcName1), upper);
            QCOMPARE(Combo(dialog, kIdcName2)->currentText(), lowerName);
        });
        QCOMPARE(dialog.m_strName1, upperName.toStdString());
        QCOMPARE(dialog.m_strName2, lowerName.toStdString());
        QVERIFY(m_app.m_names.Contains(dialog.m_pos1));
        QVERIFY(m_app.m_names.Contains(dialog.m_pos2));
    }

    // Lists of their own: the lower list's choice, its result, and the next
    // run opening on the same entry.
    void theListsShowTheChosenEntry_data()
    {
        QTest::addColumn<std::vector<CName>>("people");
        QTest::addColumn<int>("lower");
        QTest::addColumn<QStringList>("results");
        QTest::newRow("Anna before Ann")
            << std::vector<CName>{CName("Anna", "1901", "1", "1"), CName("Ann", "1901", "1", "2")} << 1
            << QStringList({"91", "92", "93", "95"});
        QTest::newRow("same name twice")
            << std::vector<CName>{CName("Ann", "1901", "1", "1"), CName("Ann", "1901", "1", "15")} << 1
            << QStringList({"22", "0", "15", "27"});
        QTest::newRow("one person, compared with itself")
            << std::vector<CName>{CName("Solo", "1933", "3", "3")} << 0 << QStringList({"100", "100", "100", "100"});
        QTest::newRow("a person without a date gives 0")
            << std::vector<CName>{CName("Known", "1950", "6", "6"), CName("Blank", "", "", "")} << 1
            << QStringList({"0", "0", "0", "0"});
    }

    void theListsShowTheChosenEntry()
    {
        QFETCH(std::vector<CName>, people);
        QFETCH(int, lower);
        QFETCH(QStringList, results);
        SetPeople(people);
        CCompatibilityDlg dialog(m_app);
        const int closedWith = RunDialog(dialog, nullptr, [&](QDialog* window) {
            Choose(Combo(dialog, kIdcName2), lower);
            QCOMPARE(Combo(dialog, kIdcName1)->currentText(), QString::fromStdString(people[0].m_name));
            QCOMPARE(Combo(dialog, kIdcName1)->currentIndex(), 0);
            QCOMPARE(Combo(dialog, kIdcName2)->currentIndex(), lower);
            QCOMPARE(Combo(dialog, kIdcName2)->currentText(), QString::fromStdString(people[lower].m_name));
            QCOMPARE(Results(dialog), results);
            QTest::keyClick(window, Qt::Key_Escape);
        });
        QCOMPARE(closedWith, int(kIdCancel));
        // Cancelled, the next run still opens on the pair and its results.
        RunDialog(dialog, nullptr, [&](QDialog*) {
            QCOMPARE(Combo(dialog, kIdcName2)->currentIndex(), lower);
            QCOMPARE(Results(dialog), results);
        });
    }
};

QTEST_MAIN(CompatibilityDlgTest)
#include "compatibilitydlg_test.moc"
