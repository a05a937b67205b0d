#include "dialogrun.h"
#include "dialogs/dialogtemplates.h"
#include "dialogs/peopledlg.h"
#include "people/appdata.h"
#include "platform/messagebox.h"

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <vector>

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

void TypePerson(const CDialog& dialog, const QString& name, const QString& year, const QString& month,
                const QString& day)
{
    TypeInto(Combo(dialog)->lineEdit(), name);
    TypeInto(Edit(dialog, kIdcYear), year);
    TypeInto(Edit(dialog, kIdcMonth), month);
    TypeInto(Edit(dialog, kIdcDay), day);
}

}

Q_DECLARE_METATYPE(std::vector<CName>)

class PeopleDlgTest : public QObject {
    Q_OBJECT

private:
    CAppData m_app;
    QStringList m_messages; // "caption: text" of each message shown
    std::vector<MessageBox::Request> m_requests;

    void SetPeople(const std::vector<CName>& people, int32_t chosen)
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

private slots:
    void init()
    {
        m_messages.clear();
        m_requests.clear();
        MessageBox::SetRecorder([this](const MessageBox::Request& request) {
            m_messages.append(request.caption + ": " + request.text);
            m_requests.push_back(request);
            return MessageBox::Answer::Ok;
        });
        SetPeople({CName("New Name", "1901", "01", "01"), CName("Bea", "1970", "5", "17")}, 0);
    }

    void cleanup() { MessageBox::SetRecorder({}); }

    void opensOnChosenPerson_data()
    {
        QTest::addColumn<int>("chosen");
        QTest::addColumn<int>("shownIndex");
        QTest::addColumn<QString>("year");
        QTest::newRow("first person") << 0 << 0 << "1901";
        QTest::newRow("second person") << 1 << 1 << "1970";
        QTest::newRow("negative index becomes 0") << -5 << 0 << "1901";
        QTest::newRow("stale chosen position") << 101 << 1 << "1970";
    }

    void opensOnChosenPerson()
    {
        QFETCH(int, chosen);
        QFETCH(int, shownIndex);
        QFETCH(QString, year);
        // 100 more than an index: that index with no position kept.
        m_app.m_chosenIndex = chosen % 100;
        m_app.m_chosenPos = chosen > 100 ? nullptr : m_app.m_names.At(chosen);
        CPeopleDlg dialog(m_app);
        const int result = RunDialog(dialog, nullptr, [&](QDialog* window) {
            QCOMPARE(Combo(dialog)->count(), 2);
            QCOMPARE(Combo(dialog)->currentIndex(), shownIndex);
            QCOMPARE(Edit(dialog, kIdcYear)->text(), year);
            QCOMPARE(QApplication::focusWidget(), dialog.Control(kIdOk));
            QTest::keyClick(window, Qt::Key_Escape);
        });
        QCOMPARE(result, kIdCancel);
        QCOMPARE(m_app.m_chosenIndex, shownIndex);
        QCOMPARE(m_app.m_chosenPos, m_app.m_names.At(shownIndex));
    }

    void addAppendsAndChoosesTheNewPersonEvenWhenCancelled()
    {
        CPeopleDlg dialog(m_app);
        const int result = RunDialog(dialog, nullptr, [&](QDialog* window) {
            TypePerson(dialog, "Zoe", "1988", "12", "31");
            Click(dialog, kIdcAdd);
            QCOMPARE(Combo(dialog)->count(), 3);
            QCOMPARE(Combo(dialog)->currentIndex(), 2);
            QCOMPARE(Combo(dialog)->currentText(), QString("Zoe"));
            QCOMPARE(QApplication::focusWidget(), Combo(dialog));
            QTest::keyClick(window, Qt::Key_Escape);
        });
        QCOMPARE(result, kIdCancel);
        QVERIFY(m_messages.empty());
        const std::vector<CName> expected = {CName("New Name", "1901", "01", "01"), CName("Bea", "1970", "5", "17"),
                                             CName("Zoe", "1988", "12", "31")};
        QVERIFY(Records() == expected);
        QCOMPARE(m_app.m_chosenIndex, 2);
        QCOMPARE(m_app.m_chosenPos, m_app.m_names.At(2));
    }

    void addValidatesTheDate_data()
    {
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("month");
        QTest::addColumn<QString>("day");
        QTest::addColumn<QStringList>("expected");
        // The parse and the leap rule are the core's; these rows take each
        // branch of the check and both sides of each limit.
        const QString year1581 = "Please Check Year: Year(1581) must be > 1581 and < 2100";
        QTest::newRow("1581") << "1581" << "6" << "1" << QStringList{year1581};
        QTest::newRow("1582") << "1582" << "6" << "1" << QStringList{};
        QTest::newRow("2100") << "2100" << "6" << "1" << QStringList{};
        QTest::newRow("2101") << "2101" << "6" << "1"
                              << QStringList{"Please Check Year: Year(2101) must be > 1581 and < 2100"};
        QTest::newRow("month 13, no day box") << "1990" << "13" << "45"
                                              << QStringList{"Please Check Month: Month(13) must be > 0 and < 13"};
        QTest::newRow("day 31 in April") << "1990" << "4" << "31"
                                         << QStringList{"Please Check Day: Day(31) must be > 0 and < 30"};
        QTest::newRow("day 30 in April") << "1990" << "4" << "30" << QStringList{};
        QTest::newRow("29 Feb 1900") << "1900" << "2" << "29" << QStringList{};
        QTest::newRow("29 Feb 1997") << "1997" << "2" << "29"
                                     << QStringList{"Please Check Day: Day(29) must be > 0 and < 28"};
        QTest::newRow("1500-02-30, two boxes")
            << "1500" << "2" << "30"
            << QStringList{"Please Check Year: Year(1500) must be > 1581 and < 2100",
                        "Please Check Day: Day(30) must be > 0 and < 29"};
    }

    void addValidatesTheDate()
    {
        QFETCH(QString, year);
        QFETCH(QString, month);
        QFETCH(QString, day);
        QFETCH(QStringList, expected);
        CPeopleDlg dialog(m_app);
        QDialog* owner = nullptr;
        RunDialog(dialog, nullptr, [&](QDialog* window) {
            owner = window;
            TypePerson(dialog, "Cy", year, month, day);
            Click(dialog, kIdcAdd);
            QVERIFY(window->isVisible());
        });
        QCOMPARE(m_messages, expected);
        for (const MessageBox::Request& request : m_requests)
            QVERIFY(request.owner == owner && request.buttons == MessageBox::Buttons::Ok &&
                    request.icon == MessageBox::Icon::None);
        QCOMPARE(m_app.m_names.Count(), expected.empty() ? 3 : 2);
    }

    // OK checks the date and closes, but never stores the fields as a person.
    void okValidatesButStoresNothing()
    {
        const std::vector<CName> before = Records();
        for (const auto& [year, result] : {std::pair{QString("1234"), kLeftOpen}, {QString("1999"), int(kIdOk)}}) {
            CPeopleDlg dialog(m_app);
            QCOMPARE(RunDialog(dialog, nullptr, [&, year = year](QDialog*) {
                         TypePerson(dialog, "Someone Else", year, "9", "9");
                         Click(dialog, kIdOk);
                     }),
                     result);
        }
        QCOMPARE(m_messages.size(), 1);
        QVERIFY(Records() == before);
    }

    void removeDeletesTheSelectedPerson_data()
    {
        QTest::addColumn<std::vector<CName>>("people");
        QTest::addColumn<int>("selected");
        QTest::addColumn<std::vector<CName>>("remaining");
        const CName first = CName("Al", "1950", "1", "2");
        const CName second = CName("Bo", "1960", "3", "4");
        QTest::newRow("second of two") << std::vector<CName>{first, second} << 1 << std::vector<CName>{first};
        QTest::newRow("first of two") << std::vector<CName>{first, second} << 0 << std::vector<CName>{second};
        QTest::newRow("the only one") << std::vector<CName>{first} << 0 << std::vector<CName>{first};
        QTest::newRow("no selection") << std::vector<CName>{first, second} << -1
                                      << std::vector<CName>{first, second};
    }

    void removeDeletesTheSelectedPerson()
    {
        QFETCH(std::vector<CName>, people);
        QFETCH(int, selected);
        QFETCH(std::vector<CName>, remaining);
        SetPeople(people, 0);
        CPeopleDlg dialog(m_app);
        RunDialog(dialog, nullptr, [&](QDialog*) {
            QComboBox* combo = Combo(dialog);
            if (selected > 0) {
                QTest::keyClick(combo, Qt::Key_Down);
                QCOMPARE(combo->currentIndex(), selected);
            } else if (selected < 0) {
                combo->setCurrentIndex(-1);
            }
            Click(dialog, kIdcRemove);
            QCOMPARE(combo->count(), int(remaining.size()));
            QCOMPARE(combo->currentIndex(), selected < 0 ? -1 : 0);
            if (selected >= 0) {
                QCOMPARE(combo->currentText(), QString::fromStdString(remaining.front().m_name));
                QCOMPARE(Edit(dialog, kIdcYear)->text(), QString::fromStdString(remaining.front().m_year));
            }
        });
        QVERIFY(Records() == remaining);
        QVERIFY(m_messages.empty());
        QVERIFY(m_app.m_names.Contains(m_app.m_chosenPos));
        QCOMPARE(m_app.m_chosenPos, m_app.m_names.At(m_app.m_chosenIndex));
    }

    void selectionShowsTheChosenEntry_data()
    {
        QTest::addColumn<std::vector<CName>>("people");
        const CName anna = CName("Anna", "1950", "1", "2");
        const CName ann = CName("Ann", "1960", "3", "4");
        const CName annAgain = CName("Ann", "1977", "7", "7");
        QTest::newRow("Anna before Ann") << std::vector<CName>{anna, ann};
        QTest::newRow("same name twice") << std::vector<CName>{ann, annAgain};
        QTest::newRow("differing in case") << std::vector<CName>{CName("ANN", "1990", "1", "1"), ann};
    }

    void selectionShowsTheChosenEntry()
    {
        QFETCH(std::vector<CName>, people);
        const int downPresses = 1;
        SetPeople(people, 0);
        CPeopleDlg dialog(m_app);
        RunDialog(dialog, nullptr, [&](QDialog*) {
            QTest::keyClick(Combo(dialog), Qt::Key_Down);
            QCOMPARE(Combo(dialog)->currentIndex(), downPresses);
            QCOMPARE(Combo(dialog)->currentText(), QString::fromStdString(people[downPresses].m_name));
            QCOMPARE(Edit(dialog, kIdcYear)->text(), QString::fromStdString(people[downPresses].m_year));
        });
        QCOMPARE(m_app.m_chosenIndex, downPresses);
        QCOMPARE(m_app.m_chosenPos, m_app.m_names.At(downPresses));
        // The next run opens where this one left.
        RunDialog(dialog, nullptr, [&](QDialog*) {
            QCOMPARE(Combo(dialog)->currentIndex(), downPresses);
            QCOMPARE(Edit(dialog, kIdcDay)->text(), QString::fromStdString(people[downPresses].m_day));
        });
    }

    // A stored field longer than can be typed is shown in full; typing can
    // only shorten it, and reading it back says that it is too long.
    void aLongStoredFieldIsShownInFull()
    {
        SetPeople({CName("Old", "019901", "01", "01")}, 0);
        CPeopleDlg dialog(m_app);
        RunDialog(dialog, nullptr, [&](QDialog* window) {
            QLineEdit* year = Edit(dialog, kIdcYear);
            QCOMPARE(year->text(), QString("019901"));
            year->setFocus();
            year->end(false);
            QTest::keyClicks(year, "7");
            QCOMPARE(year->text(), QString("019901"));
            QTest::keyClick(year, Qt::Key_Backspace);
            QTest::keyClicks(year, "7");
            QCOMPARE(year->text(), QString("01990"));
            Click(dialog, kIdOk);
            QVERIFY(window->isVisible());
            // Once within the limit, the limit holds as for any field.
            year->setFocus();
            year->end(false);
            QTest::keyClick(year, Qt::Key_Backspace);
            QTest::keyClicks(year, "7");
            QCOMPARE(year->text(), QString("0199"));
        });
        QVERIFY(!m_messages.empty());
        for (const QString& message : m_messages)
            QCOMPARE(message, QString("Orvina 2.1: Please enter no more than 4 characters."));
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
            QCOMPARE(Combo(dialog)->currentIndex(), 0);
            QCOMPARE(Edit(dialog, kIdcYear)->text(), QString("1901"));
        });
        QCOMPARE(m_app.m_chosenIndex, 0);
    }

};

QTEST_MAIN(PeopleDlgTest)
#include "peopledlg_test.moc"
