// The Compatibility dialog over people of its own, driven with the keyboard.
#include "dialogs/compatibilitydlg.h"
#include "dialogs/dialogtemplates.h"
#include "people/appdata.h"
#include "programtestenv.h"

#include <QComboBox>
#include <QLabel>

namespace {
QComboBox* Combo(const CDialog& dialog, int id)
{
    return qobject_cast<QComboBox*>(dialog.Control(id));
}

// The four results as shown: Physical, Emotional, Intellectual, Intuitional.
QString Results(const CDialog& dialog)
{
    QStringList results;
    for (const int id : {kIdcPhysical, kIdcEmotional, kIdcIntellectual, kIdcIntuitional})
        results.append(qobject_cast<QLabel*>(dialog.Control(id))->text());
    return results.join(' ');
}

// Chooses entry `index` of a combo box with the keyboard, as a user does.
void Choose(QComboBox* combo, int index)
{
    QTest::keyClick(combo, Qt::Key_Home);
    for (int entry = 0; entry < index; ++entry)
        QTest::keyClick(combo, Qt::Key_Down);
}

QString Shown(const CDialog& dialog, int id)
{
    return QString::number(Combo(dialog, id)->currentIndex()) + ' ' + Combo(dialog, id)->currentText();
}
}

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

    // The first opening compares the first person with itself; the upper
    // or the lower list chosen first.
    void choosingTwoPeopleShowsTheirResults()
    {
        struct Row {
            int upper;
            int lower;
            bool lowerFirst;
            QString results;
        };
        for (const Row& row : {Row{0, 1, false, "91 92 93 95"}, Row{2, 0, true, "22 0 15 27"},
                               Row{5, 0, false, "100 64 39 21"}}) {
            CCompatibilityDlg dialog(m_app);
            RunDialog(dialog, nullptr, [&](QDialog*) {
                QCOMPARE(Results(dialog), QString("100 100 100 100"));
                QCOMPARE(QApplication::focusWidget(), dialog.Control(kIdOk));
                Choose(Combo(dialog, row.lowerFirst ? kIdcName2 : kIdcName1), row.lowerFirst ? row.lower : row.upper);
                Choose(Combo(dialog, row.lowerFirst ? kIdcName1 : kIdcName2), row.lowerFirst ? row.upper : row.lower);
                QCOMPARE(Results(dialog), row.results);
                QCOMPARE(Combo(dialog, kIdcName1)->currentIndex(), row.upper);
                QCOMPARE(Combo(dialog, kIdcName2)->currentIndex(), row.lower);
            });
            QVERIFY(dialog.m_index1 == row.upper && dialog.m_index2 == row.lower && m_app.m_chosenIndex == 0);
        }
    }

    // The run before the removal compared people 2 ("Two Weeks") and 5 ("Plus 23").
    void removedPeopleAreNotUsed()
    {
        for (const auto& [removed, upper, lower] : {std::tuple{2, "0 New Name", "4 Plus 23"},
                                                    {5, "2 Two Weeks", "0 New Name"}, {1, "1 Two Weeks", "4 Plus 23"}}) {
            init();
            CCompatibilityDlg dialog(m_app);
            RunDialog(dialog, nullptr, [&](QDialog*) {
                Choose(Combo(dialog, kIdcName1), 2);
                Choose(Combo(dialog, kIdcName2), 5);
            });
            QVERIFY(m_app.m_names.RemoveAt(removed));
            RunDialog(dialog, nullptr, [&, upper = QString(upper), lower = QString(lower)](QDialog*) {
                QCOMPARE(Shown(dialog, kIdcName1), upper);
                QCOMPARE(Shown(dialog, kIdcName2), lower);
                // A choice in the other list re-reads both lists.
                Choose(Combo(dialog, kIdcName1), upper.section(' ', 0, 0).toInt());
                QCOMPARE(Shown(dialog, kIdcName2), lower);
            });
            QCOMPARE(QString::fromStdString(dialog.m_strName1 + '/' + dialog.m_strName2),
                     QString(upper).section(' ', 1) + '/' + QString(lower).section(' ', 1));
            QVERIFY(m_app.m_names.Contains(dialog.m_pos1) && m_app.m_names.Contains(dialog.m_pos2));
        }
    }

    // Lists of their own: the lower list's choice and its result, and a
    // cancelled run's next run opening on the same pair.
    void theListsShowTheChosenEntry()
    {
        for (const auto& [people, results] :
             {std::pair{std::vector<CName>{CName("Anna", "1901", "1", "1"), CName("Ann", "1901", "1", "2")}, "91 92 93 95"},
              {std::vector<CName>{CName("Ann", "1901", "1", "1"), CName("Ann", "1901", "1", "15")}, "22 0 15 27"},
              {std::vector<CName>{CName("Known", "1950", "6", "6"), CName("Blank", "", "", "")}, "0 0 0 0"}}) {
            SetPeople(people);
            CCompatibilityDlg dialog(m_app);
            const QString names = "0 " + QString::fromStdString(people[0].m_name) + "/1 " + QString::fromStdString(people[1].m_name);
            const int closedWith = RunDialog(dialog, nullptr, [&, results = results](QDialog* window) {
                Choose(Combo(dialog, kIdcName2), 1);
                QCOMPARE(Shown(dialog, kIdcName1) + '/' + Shown(dialog, kIdcName2), names);
                QCOMPARE(Results(dialog), QString(results));
                QTest::keyClick(window, Qt::Key_Escape);
            });
            QCOMPARE(closedWith, int(kIdCancel));
            RunDialog(dialog, nullptr, [&, results = results](QDialog*) {
                QCOMPARE(Combo(dialog, kIdcName2)->currentIndex(), 1);
                QCOMPARE(Results(dialog), QString(results));
            });
        }
    }
};

QTEST_MAIN(CompatibilityDlgTest)
#include "compatibilitydlg_test.moc"
