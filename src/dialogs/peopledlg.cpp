#include "dialogs/peopledlg.h"

#include "calc/decimal.h"
#include "calc/monthlengths.h"
#include "dialogs/dialogtemplates.h"
#include "dialogs/widgettext.h"
#include "people/appdata.h"
#include "platform/messagebox.h"

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QStringList>

namespace {
constexpr int kMaxMonthChars = 2;
constexpr int kMaxYearChars = 4;
constexpr int kMaxDayChars = 2;

constexpr int32_t kFirstYear = 1582;
constexpr int32_t kLastYear = 2100;
constexpr int32_t kFebruary = 2;
constexpr int32_t kMonthsInYear = 12;

constexpr int kDateAccepted = 0;
constexpr int kDateRejected = 1;

void ShowDateMessage(QWidget* owner, const QString& text, const char* caption)
{
    MessageBox::Show(owner, text, QString::fromLatin1(caption));
}
}

CPeopleDlg::CPeopleDlg(CAppData& app)
    : CDialog(PeopleTemplate()), m_app(app)
{
}

void CPeopleDlg::ConnectHandlers()
{
    OnClicked(kIdcAdd, [this] { OnAdd(); });
    OnClicked(kIdcRemove, [this] { OnRemove(); });
    OnSelChange(kIdcName, [this] { OnSelchangeName(); });
}

void CPeopleDlg::DoDataExchange(CDataExchange& exchange)
{
    exchange.ComboText(qobject_cast<QComboBox*>(Control(kIdcName)), m_strName, m_app.ChosenIndex());
    exchange.Text(qobject_cast<QLineEdit*>(Control(kIdcMonth)), m_strMonth, kMaxMonthChars);
    exchange.Text(qobject_cast<QLineEdit*>(Control(kIdcYear)), m_strYear, kMaxYearChars);
    exchange.Text(qobject_cast<QLineEdit*>(Control(kIdcDay)), m_strDay, kMaxDayChars);
}

bool CPeopleDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    // An index that names nobody any more shows the first person.
    const CName* chosen = m_app.Choose(m_app.ChosenIndex());
    FillNames();
    if (chosen)
        CopyToMembers(*chosen);
    UpdateData(false);
    ChooseIndex(m_app.ChosenIndex());
    return true;
}

void CPeopleDlg::OnSelchangeName()
{
    auto* combo = qobject_cast<QComboBox*>(Control(kIdcName));
    const int32_t index = combo->currentIndex();
    if (!m_app.m_names.At(index))
        return;
    CopyToMembers(*m_app.Choose(index));
    UpdateData(false);
}

void CPeopleDlg::OnAdd()
{
    if (ValidateBirthDate() != kDateAccepted)
        return;
    if (!UpdateData(true))
        return;
    CNameList& names = m_app.m_names;
    names.Append(CName(m_strName, m_strYear, m_strMonth, m_strDay));
    FillNames();
    m_app.Choose(names.Count() - 1);
    ChooseIndex(m_app.ChosenIndex());
    Control(kIdcName)->setFocus();
}

void CPeopleDlg::OnRemove()
{
    if (m_app.m_names.Count() <= 1)
        return;
    auto* combo = qobject_cast<QComboBox*>(Control(kIdcName));
    // With no entry selected there is no record to remove.
    const int32_t index = combo->currentIndex();
    if (!m_app.m_names.RemoveAt(index))
        return;
    FillNames();
    m_app.Choose(0);
    ChooseIndex(0);
    CopyToMembers(*m_app.ChosenPerson());
    UpdateData(false);
}

void CPeopleDlg::OnOK()
{
    if (ValidateBirthDate() != kDateAccepted)
        return;
    CDialog::OnOK();
}

int CPeopleDlg::ValidateBirthDate()
{
    UpdateData(true);
    const int32_t year = DecimalToInt(m_strYear);
    const int32_t month = DecimalToInt(m_strMonth);
    const int32_t day = DecimalToInt(m_strDay);
    int result = kDateAccepted;

    if (year < kFirstYear || year > kLastYear) {
        ShowDateMessage(Window(), QString::asprintf("Year(%d) must be > 1581 and < 2100", year), "Please Check Year");
        result = kDateRejected;
    }
    if (month < 1 || month > kMonthsInYear) {
        ShowDateMessage(Window(), QString::asprintf("Month(%d) must be > 0 and < 13", month), "Please Check Month");
        return kDateRejected;
    }
    // February follows the typed year even when the year itself was refused.
    const int32_t limit = month == kFebruary ? FebruaryLength(year) : MonthLength(m_app.m_monthDays, month);
    if (day < 1 || day > limit) {
        ShowDateMessage(Window(), QString::asprintf("Day(%d) must be > 0 and < %d", day, limit), "Please Check Day");
        result = kDateRejected;
    }
    return result;
}

void CPeopleDlg::FillNames()
{
    // One batch: adding 100,000 names one by one would take seconds.
    QStringList names;
    names.reserve(m_app.m_names.Count());
    for (const auto& record : m_app.m_names)
        names.append(ToWidgetText(record->m_name));
    auto* combo = qobject_cast<QComboBox*>(Control(kIdcName));
    combo->clear();
    combo->addItems(names);
}

void CPeopleDlg::CopyToMembers(const CName& record)
{
    m_strName = record.m_name;
    m_strYear = record.m_year;
    m_strMonth = record.m_month;
    m_strDay = record.m_day;
}

void CPeopleDlg::ChooseIndex(int32_t index)
{
    auto* combo = qobject_cast<QComboBox*>(Control(kIdcName));
    combo->setCurrentIndex(index < combo->count() ? index : -1);
}
