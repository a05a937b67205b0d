// The People and Compatibility dialogs over people of their own, driven
// with the keyboard and the mouse as a user does.
#include "dialogs/compatibilitydlg.h"
#include "dialogs/dialogtemplates.h"
#include "dialogs/peopledlg.h"
#include "people/appdata.h"
#include "programtestenv.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
const CName kFirst("New Name", "1901", "01", "01");
const CName kBea("Bea", "1970", "5", "17");

// Replaces the text of a field the way a user does: select all, then type.
void TypeInto(QLineEdit* edit, const QString& text)
{
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

// Types the name and the date, given as "year month day".
void TypePerson(const CDialog& dialog, const QString& name, const QString& date)
{
    TypeInto(ControlOf<QComboBox>(dialog, kIdcName)->lineEdit(), name);
    for (const int id : {kIdcYear, kIdcMonth, kIdcDay})
        TypeInto(ControlOf<QLineEdit>(dialog, id), date.section(' ', id - kIdcYear, id - kIdcYear));
}

void Click(const CDialog& dialog, int id)
{
    QTest::mouseClick(ControlOf<QPushButton>(dialog, id), Qt::LeftButton);
}

// Chooses entry `index` of a combo box with the keyboard.
void Choose(const CDialog& dialog, int id, int index)
{
    QTest::keyClick(ControlOf<QComboBox>(dialog, id), Qt::Key_Home);
    for (int entry = 0; entry < index; ++entry)
        QTest::keyClick(ControlOf<QComboBox>(dialog, id), Qt::Key_Down);
}

// What a combo box shows: "index text".
QString Entry(const CDialog& dialog, int id)
{
    const QComboBox* combo = ControlOf<QComboBox>(dialog, id);
    return QString::number(combo->currentIndex()) + ' ' + combo->currentText();
}

// What the People dialog shows: the entry and the date's fields.
QString Shown(const CDialog& dialog)
{
    return Entry(dialog, kIdcName) + ' ' + ControlOf<QLineEdit>(dialog, kIdcYear)->text() + '-' +
           ControlOf<QLineEdit>(dialog, kIdcMonth)->text() + '-' + ControlOf<QLineEdit>(dialog, kIdcDay)->text();
}

// The Compatibility dialog's results: Physical, Emotional, Intellectual, Intuitional.
QString Results(const CDialog& dialog)
{
    QStringList results;
    for (const int id : {kIdcPhysical, kIdcEmotional, kIdcIntellectual, kIdcIntuitional})
        results.append(ControlOf<QLabel>(dialog, id)->text());
    return results.join(' ');
}
}

class PeopleDialogsTest : public QObject {
    Q_OBJECT

private:
    CAppData m_app;

    void SetPeople(const std::vector<CName>& people)
    {
        m_app.m_names.Clear();
        for (const CName& person : people)
            m_app.m_names.Append(person);
        m_app.Choose(0);
    }

    std::vector<CName> Records() const
    {
        std::vector<CName> records;
        for (const auto& record : m_app.m_names)
            records.push_back(*record);
        return records;
    }

    // The chosen index and position agree.
    bool ChosenAgree() const { return m_app.ChosenPerson() && m_app.ChosenPerson() == m_app.m_names.At(m_app.ChosenIndex()); }

private slots:
    void init()
    {
        // The month decides only how many days Compatibility searches; March has 31.
        Clock::SetFixedToday(CDate{2024, 3, 15});
        SetPeople({kFirst, kBea});
    }

    void cleanup() { Clock::SetFixedToday(std::nullopt); }

    // Each branch of the check and both sides of each limit; February
    // follows the typed year even when the year is refused. An accepted
    // person is appended, shown and chosen, and stays when the dialog is left.
    void addValidatesTheDate()
    {
        const QString year = "Please Check Year: Year(%1) must be > 1581 and < 2100";
        const QString day = "Please Check Day: Day(%1) must be > 0 and < %2";
        for (const auto& [date, expected] : {std::pair{"1581 6 1", QStringList{year.arg(1581)}}, {"1582 6 1", {}},
                                             {"2100 6 1", {}}, {"2101 6 1", {year.arg(2101)}},
                                             {"1990 13 45", {"Please Check Month: Month(13) must be > 0 and < 13"}},
                                             {"1990 4 31", {day.arg(31).arg(30)}}, {"1990 4 30", {}}, {"1900 2 29", {}},
                                             {"1997 2 29", {day.arg(29).arg(28)}},
                                             {"1500 2 30", {year.arg(1500), day.arg(30).arg(29)}}}) {
            SetPeople({kFirst, kBea});
            MessageRecorder messages;
            CPeopleDlg dialog(m_app);
            QDialog* owner = nullptr;
            const bool accepted = expected.empty();
            RunDialog(dialog, nullptr, [&, date = QString(date)](QDialog* window) {
                owner = window;
                TypePerson(dialog, "Cy", date);
                Click(dialog, kIdcAdd);
                QVERIFY(window->isVisible());
                if (accepted)
                    QVERIFY(Shown(dialog) == "2 Cy " + QString(date).replace(' ', '-') &&
                            QApplication::focusWidget() == dialog.Control(kIdcName));
            });
            QCOMPARE(messages.Texts(), expected);
            for (const MessageBox::Request& shown : messages.Shown())
                QVERIFY(shown.owner == owner && shown.buttons == MessageBox::Buttons::Ok && shown.icon == MessageBox::Icon::None);
            QCOMPARE(m_app.m_names.Count(), accepted ? 3 : 2);
            QVERIFY(m_app.ChosenIndex() == (accepted ? 2 : 0) && ChosenAgree());
        }
    }

    // The second of two, the first, the only one (kept) and no entry selected.
    void removeDeletesTheSelectedPerson()
    {
        using People = std::vector<CName>;
        for (const auto& [people, selected, remaining] : {std::tuple{People{kFirst, kBea}, 1, People{kFirst}},
                                                          {People{kFirst, kBea}, 0, People{kBea}},
                                                          {People{kBea}, 0, People{kBea}},
                                                          {People{kFirst, kBea}, -1, People{kFirst, kBea}}}) {
            SetPeople(people);
            MessageRecorder messages;
            CPeopleDlg dialog(m_app);
            const QString after = selected < 0 ? "-1 " : "0 " + QString::fromStdString(remaining.front().m_name + ' ' +
                                                                                     remaining.front().m_year);
            RunDialog(dialog, nullptr, [&, selected = selected, count = int(remaining.size())](QDialog*) {
                if (selected > 0)
                    QTest::keyClick(dialog.Control(kIdcName), Qt::Key_Down);
                else if (selected < 0)
                    ControlOf<QComboBox>(dialog, kIdcName)->setCurrentIndex(-1);
                Click(dialog, kIdcRemove);
                QCOMPARE(Shown(dialog).left(after.size()), after);
                QCOMPARE(ControlOf<QComboBox>(dialog, kIdcName)->count(), count);
            });
            QVERIFY(Records() == remaining);
            QVERIFY(messages.Shown().empty() && ChosenAgree());
        }
    }

    // Names that are one another's prefix, the same or differing in case: the
    // entry chosen is shown, kept as the chosen person and opened on next time.
    void peopleShowsTheChosenEntry()
    {
        const CName ann("Ann", "1960", "3", "4");
        for (const CName& first : {CName("Anna", "1950", "1", "2"), CName("Ann", "1977", "7", "7"), CName("ANN", "1990", "1", "1")}) {
            SetPeople({first, ann});
            CPeopleDlg dialog(m_app);
            RunDialog(dialog, nullptr, [&](QDialog*) {
                QTest::keyClick(dialog.Control(kIdcName), Qt::Key_Down);
                QCOMPARE(Shown(dialog), QString("1 Ann 1960-3-4"));
            });
            QVERIFY(m_app.ChosenIndex() == 1 && ChosenAgree());
            RunDialog(dialog, nullptr, [&](QDialog*) { QCOMPARE(Shown(dialog), QString("1 Ann 1960-3-4")); });
        }
    }

    // The first opening compares the first person with itself; the upper or
    // the lower list chosen first. A person removed since the last run is
    // not used: that run compared people 2 ("Two Weeks") and 5 ("Plus 23").
    void compatibilityShowsTheResultsOfTheTwoChosen()
    {
        const std::vector<CName> people = {kFirst, CName("Day After", "1901", "1", "2"), CName("Two Weeks", "1901", "01", "15"),
                                           CName("Leap", "2000", "2", "29"), CName("Leap Plus 1", "2000", "03", "01"),
                                           CName("Plus 23", "1901", "1", "24")};
        SetPeople(people);
        for (const auto& [upper, lower, lowerFirst, results] : {std::tuple{0, 1, false, "91 92 93 95"}, {2, 0, true, "22 0 15 27"},
                                                                {5, 0, false, "100 64 39 21"}}) {
            CCompatibilityDlg dialog(m_app);
            RunDialog(dialog, nullptr, [&, upper = upper, lower = lower, first = lowerFirst, results = QString(results)](QDialog*) {
                QCOMPARE(Results(dialog), QString("100 100 100 100"));
                QCOMPARE(QApplication::focusWidget(), dialog.Control(kIdOk));
                Choose(dialog, first ? kIdcName2 : kIdcName1, first ? lower : upper);
                Choose(dialog, first ? kIdcName1 : kIdcName2, first ? upper : lower);
                QCOMPARE(Results(dialog), results);
            });
            QVERIFY(dialog.m_index1 == upper && dialog.m_index2 == lower && m_app.ChosenIndex() == 0);
            // The next opening shows the same two and their results.
            RunDialog(dialog, nullptr, [&, pair = QString("%1 %2").arg(upper).arg(lower), results = QString(results)](QDialog*) {
                QCOMPARE(Entry(dialog, kIdcName1).left(1) + ' ' + Entry(dialog, kIdcName2).left(1) + ' ' + Results(dialog),
                         pair + ' ' + results);
            });
        }
        for (const auto& [removed, upper, lower] : {std::tuple{2, "0 New Name", "4 Plus 23"},
                                                    {5, "2 Two Weeks", "0 New Name"}, {1, "1 Two Weeks", "4 Plus 23"}}) {
            SetPeople(people);
            CCompatibilityDlg dialog(m_app);
            RunDialog(dialog, nullptr, [&](QDialog*) {
                Choose(dialog, kIdcName1, 2);
                Choose(dialog, kIdcName2, 5);
            });
            QVERIFY(m_app.m_names.RemoveAt(removed));
            RunDialog(dialog, nullptr, [&, upper = QString(upper), lower = QString(lower)](QDialog*) {
                QCOMPARE(Entry(dialog, kIdcName1) + '/' + Entry(dialog, kIdcName2), upper + '/' + lower);
                // A choice in the other list re-reads both lists.
                Choose(dialog, kIdcName1, upper.section(' ', 0, 0).toInt());
                QCOMPARE(Entry(dialog, kIdcName2), lower);
            });
            QCOMPARE(QString::fromStdString(dialog.m_strName1 + '/' + dialog.m_strName2),
                     QString(upper).section(' ', 1) + '/' + QString(lower).section(' ', 1));
            QVERIFY(m_app.m_names.Contains(dialog.m_pos1) && m_app.m_names.Contains(dialog.m_pos2));
        }
    }
};

QTEST_MAIN(PeopleDialogsTest)
#include "peopledialogs_test.moc"
