// The People dialog over people of its own, driven as a user does.
#include "dialogs/dialogtemplates.h"
#include "dialogs/peopledlg.h"
#include "people/appdata.h"
#include "programtestenv.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace {
QLineEdit* Edit(const CDialog& dialog, int id)
{
    return qobject_cast<QLineEdit*>(dialog.Control(id));
}

QComboBox* Combo(const CDialog& dialog)
{
    return qobject_cast<QComboBox*>(dialog.Control(kIdcName));
}

void Click(const CDialog& dialog, int id)
{
    QTest::mouseClick(qobject_cast<QPushButton*>(dialog.Control(id)), Qt::LeftButton);
}

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
    TypeInto(Combo(dialog)->lineEdit(), name);
    for (const int id : {kIdcYear, kIdcMonth, kIdcDay})
        TypeInto(Edit(dialog, id), date.section(' ', id - kIdcYear, id - kIdcYear));
}

// What the dialog shows: the entry and the date's fields.
QString Shown(const CDialog& dialog)
{
    return QString::number(Combo(dialog)->currentIndex()) + ' ' + Combo(dialog)->currentText() + ' ' +
           Edit(dialog, kIdcYear)->text() + '-' + Edit(dialog, kIdcMonth)->text() + '-' + Edit(dialog, kIdcDay)->text();
}

const CName kFirst("New Name", "1901", "01", "01");
const CName kBea("Bea", "1970", "5", "17");
}

class PeopleDlgTest : public QObject {
    Q_OBJECT

private:
    CAppData m_app;

    void SetPeople(const std::vector<CName>& people, int32_t chosen = 0)
    {
        m_app.m_names.Clear();
        for (const CName& person : people)
            m_app.m_names.Append(person);
        m_app.m_chosenIndex = chosen;
        m_app.m_chosenPos = m_app.m_names.At(chosen);
    }

    std::vector<CName> Records() const
    {
        std::vector<CName> records;
        for (const auto& record : m_app.m_names)
            records.push_back(*record);
        return records;
    }

    // The chosen index and position agree.
    bool ChosenAgree() const { return m_app.m_chosenPos && m_app.m_chosenPos == m_app.m_names.At(m_app.m_chosenIndex); }

private slots:
    void init() { SetPeople({kFirst, kBea}); }

    // An index with no position kept is shown; a negative one becomes 0.
    void opensOnChosenPerson()
    {
        for (const auto& [chosen, keepPos, shown] : {std::tuple{0, true, "0 New Name 1901-01-01"},
                                                    {1, true, "1 Bea 1970-5-17"}, {-5, true, "0 New Name 1901-01-01"},
                                                    {1, false, "1 Bea 1970-5-17"}}) {
            m_app.m_chosenIndex = chosen;
            m_app.m_chosenPos = keepPos ? m_app.m_names.At(chosen) : nullptr;
            CPeopleDlg dialog(m_app);
            const int result = RunDialog(dialog, nullptr, [&, shown = QString(shown)](QDialog* window) {
                QCOMPARE(Combo(dialog)->count(), 2);
                QCOMPARE(Shown(dialog), shown);
                QCOMPARE(QApplication::focusWidget(), dialog.Control(kIdOk));
                QTest::keyClick(window, Qt::Key_Escape);
            });
            QCOMPARE(result, kIdCancel);
            QVERIFY(ChosenAgree() && QString(shown).startsWith(QString::number(m_app.m_chosenIndex)));
        }
    }

    void addAppendsAndChoosesTheNewPersonEvenWhenCancelled()
    {
        MessageRecorder messages;
        CPeopleDlg dialog(m_app);
        const int result = RunDialog(dialog, nullptr, [&](QDialog* window) {
            TypePerson(dialog, "Zoe", "1988 12 31");
            Click(dialog, kIdcAdd);
            QCOMPARE(Combo(dialog)->count(), 3);
            QCOMPARE(Shown(dialog), QString("2 Zoe 1988-12-31"));
            QCOMPARE(QApplication::focusWidget(), Combo(dialog));
            QTest::keyClick(window, Qt::Key_Escape);
        });
        QCOMPARE(result, kIdCancel);
        QVERIFY(messages.Shown().empty());
        QVERIFY(Records() == std::vector<CName>({kFirst, kBea, CName("Zoe", "1988", "12", "31")}));
        QVERIFY(m_app.m_chosenIndex == 2 && ChosenAgree());
    }

    // Each branch of the check and both sides of each limit; February
    // follows the typed year even when the year is refused.
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
            init();
            MessageRecorder messages;
            CPeopleDlg dialog(m_app);
            QDialog* owner = nullptr;
            RunDialog(dialog, nullptr, [&, date = QString(date)](QDialog* window) {
                owner = window;
                TypePerson(dialog, "Cy", date);
                Click(dialog, kIdcAdd);
                QVERIFY(window->isVisible());
            });
            QCOMPARE(messages.Texts(), expected);
            for (const MessageBox::Request& shown : messages.Shown())
                QVERIFY(shown.owner == owner && shown.buttons == MessageBox::Buttons::Ok && shown.icon == MessageBox::Icon::None);
            QCOMPARE(m_app.m_names.Count(), expected.empty() ? 3 : 2);
        }
    }

    // OK checks the date and closes, but never stores the fields as a person.
    void okValidatesButStoresNothing()
    {
        MessageRecorder messages;
        for (const auto& [year, result] : {std::pair{"1234", kLeftOpen}, {"1999", int(kIdOk)}}) {
            CPeopleDlg dialog(m_app);
            QCOMPARE(RunDialog(dialog, nullptr, [&, year = QString(year)](QDialog*) {
                         TypePerson(dialog, "Someone Else", year + " 9 9");
                         Click(dialog, kIdOk);
                     }),
                     result);
        }
        QCOMPARE(messages.Shown().size(), size_t(1));
        QVERIFY(Records() == std::vector<CName>({kFirst, kBea}));
    }

    // The second of two, the first, the only one (kept) and no entry selected.
    void removeDeletesTheSelectedPerson()
    {
        const CName al("Al", "1950", "1", "2");
        const CName bo("Bo", "1960", "3", "4");
        using People = std::vector<CName>;
        for (const auto& [people, selected, remaining] : {std::tuple{People{al, bo}, 1, People{al}}, {People{al, bo}, 0, People{bo}},
                                                          {People{al}, 0, People{al}}, {People{al, bo}, -1, People{al, bo}}}) {
            SetPeople(people);
            MessageRecorder messages;
            CPeopleDlg dialog(m_app);
            const QString after = selected < 0 ? "-1 " : "0 " + QString::fromStdString(remaining.front().m_name + ' ' +
                                                                                     remaining.front().m_year);
            RunDialog(dialog, nullptr, [&, selected = selected, count = int(remaining.size())](QDialog*) {
                if (selected > 0)
                    QTest::keyClick(Combo(dialog), Qt::Key_Down);
                else if (selected < 0)
                    Combo(dialog)->setCurrentIndex(-1);
                Click(dialog, kIdcRemove);
                QCOMPARE(Shown(dialog).left(after.size()), after);
                QCOMPARE(Combo(dialog)->count(), count);
            });
            QVERIFY(Records() == remaining);
            QVERIFY(messages.Shown().empty() && ChosenAgree());
        }
    }

    // Names that one another's prefix, the same or differing in case: the
    // entry chosen is shown, kept as the chosen person and opened on next time.
    void selectionShowsTheChosenEntry()
    {
        const CName ann("Ann", "1960", "3", "4");
        for (const CName& first : {CName("Anna", "1950", "1", "2"), CName("Ann", "1977", "7", "7"), CName("ANN", "1990", "1", "1")}) {
            SetPeople({first, ann});
            CPeopleDlg dialog(m_app);
            RunDialog(dialog, nullptr, [&](QDialog*) {
                QTest::keyClick(Combo(dialog), Qt::Key_Down);
                QCOMPARE(Shown(dialog), QString("1 Ann 1960-3-4"));
            });
            QVERIFY(m_app.m_chosenIndex == 1 && ChosenAgree());
            RunDialog(dialog, nullptr, [&](QDialog*) { QCOMPARE(Shown(dialog), QString("1 Ann 1960-3-4")); });
        }
    }

    // A stored field longer than can be typed is shown in full; typing can
    // only shorten it, and reading it back says that it is too long.
    void aLongStoredFieldIsShownInFull()
    {
        SetPeople({CName("Old", "019901", "01", "01")});
        MessageRecorder messages;
        CPeopleDlg dialog(m_app);
        RunDialog(dialog, nullptr, [&](QDialog* window) {
            QLineEdit* year = Edit(dialog, kIdcYear);
            for (const auto& [backspaces, after] : {std::pair{0, "019901"}, {1, "01990"}, {-1, ""}, {1, "0199"}}) {
                if (backspaces < 0) {
                    // Refused, the dialog stays; the limit then holds as for any field.
                    Click(dialog, kIdOk);
                    QVERIFY(window->isVisible());
                    continue;
                }
                year->setFocus();
                year->end(false);
                if (backspaces)
                    QTest::keyClick(year, Qt::Key_Backspace);
                QTest::keyClicks(year, "7");
                QCOMPARE(year->text(), QString(after));
            }
        });
        QVERIFY(!messages.Shown().empty());
        for (const MessageBox::Request& shown : messages.Shown())
            QVERIFY(shown.caption + ": " + shown.text == "Orvina 2.1: Please enter no more than 4 characters." &&
                    shown.icon == MessageBox::Icon::Exclamation);
        QCOMPARE(m_app.m_names.At(0)->m_year, std::string("019901"));
    }

    void typingAnExistingNameChoosesNobody()
    {
        CPeopleDlg dialog(m_app);
        RunDialog(dialog, nullptr, [&](QDialog*) {
            Combo(dialog)->setFocus();
            TypeInto(Combo(dialog)->lineEdit(), "Bea");
            QTest::keyClick(Combo(dialog)->lineEdit(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), Edit(dialog, kIdcYear));
            QCOMPARE(Shown(dialog), QString("0 Bea 1901-01-01"));
        });
        QCOMPARE(m_app.m_chosenIndex, 0);
    }
};

QTEST_MAIN(PeopleDlgTest)
#include "peopledlg_test.moc"
