#include "dialogs/compatibilitydlg.h"

#include "calc/compatibility.h"
#include "calc/decimal.h"
#include "calc/monthlengths.h"
#include "dialogs/dialogtemplates.h"
#include "dialogs/widgettext.h"
#include "people/appdata.h"
#include "platform/clock.h"

#include <QComboBox>
#include <QLabel>
#include <QStringList>

namespace {
constexpr int kMaxResultChars = 3;
}

CCompatibilityDlg::CCompatibilityDlg(CAppData& app)
    : CDialog(CompatibilityTemplate()), m_app(app)
{
}

void CCompatibilityDlg::ConnectHandlers()
{
    OnSelChange(kIdcName1, [this] { OnSelchangeName1(); });
    OnSelChange(kIdcName2, [this] { OnSelchangeName2(); });
}

void CCompatibilityDlg::DoDataExchange(CDataExchange& exchange)
{
    exchange.ComboText(qobject_cast<QComboBox*>(Control(kIdcName1)), m_strName1, m_index1);
    exchange.ComboText(qobject_cast<QComboBox*>(Control(kIdcName2)), m_strName2, m_index2);
    exchange.Text(qobject_cast<QLabel*>(Control(kIdcEmotional)), m_strEmotional, kMaxResultChars);
    exchange.Text(qobject_cast<QLabel*>(Control(kIdcIntellectual)), m_strIntellectual, kMaxResultChars);
    exchange.Text(qobject_cast<QLabel*>(Control(kIdcIntuitional)), m_strIntuitional, kMaxResultChars);
    exchange.Text(qobject_cast<QLabel*>(Control(kIdcPhysical)), m_strPhysical, kMaxResultChars);
}

bool CCompatibilityDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    KeepRemembered(First());
    KeepRemembered(Second());

    QStringList names;
    names.reserve(m_app.m_names.Count());
    for (const auto& record : m_app.m_names)
        names.append(ToWidgetText(record->m_name));
    for (const int comboId : {kIdcName1, kIdcName2}) {
        auto* combo = qobject_cast<QComboBox*>(Control(comboId));
        combo->clear();
        combo->addItems(names);
    }

    for (Person person : {First(), Second()}) {
        if (person.pos)
            CopyDate(person, *person.pos);
    }
    ComputeCompatibility();
    UpdateData(false);
    SelectEntries();
    return true;
}

void CCompatibilityDlg::OnSelchangeName1()
{
    TakeSelection(First(), kIdcName1);
    TakeSelection(Second(), kIdcName2);
    ComputeCompatibility();
    UpdateData(false);
}

void CCompatibilityDlg::OnSelchangeName2()
{
    TakeSelection(Second(), kIdcName2);
    TakeSelection(First(), kIdcName1);
    ComputeCompatibility();
    UpdateData(false);
}

void CCompatibilityDlg::ComputeCompatibility()
{
    const int32_t searchDays = MonthLength(m_app.m_monthDays, Clock::Today().month);
    const CompatibilityPercentages results =
        ::ComputeCompatibility(m_year1, m_month1, m_day1, m_year2, m_month2, m_day2, searchDays);
    m_strPhysical = std::to_string(results[kPhysical]);
    m_strEmotional = std::to_string(results[kEmotional]);
    m_strIntellectual = std::to_string(results[kIntellectual]);
    m_strIntuitional = std::to_string(results[kIntuitional]);
}

void CCompatibilityDlg::KeepRemembered(Person person)
{
    // A remembered person is kept by position, and the index follows the
    // record should people before it have been removed. A person who no
    // longer exists gives way to the first one.
    const int32_t index = m_app.m_names.IndexOf(person.pos);
    if (person.index <= 0 || index < 0) {
        person.index = 0;
        person.pos = m_app.m_names.At(0);
        return;
    }
    person.index = index;
}

void CCompatibilityDlg::TakeSelection(Person person, int comboId)
{
    auto* combo = qobject_cast<QComboBox*>(Control(comboId));
    person.index = combo->currentIndex();
    person.pos = m_app.m_names.At(person.index);
    if (!person.pos) {
        person.index = 0;
        person.pos = m_app.m_names.At(0);
    }
    if (person.pos)
        CopyDate(person, *person.pos);
}

void CCompatibilityDlg::CopyDate(Person person, const CName& record)
{
    person.name = record.m_name;
    person.year = DecimalToInt(record.m_year);
    person.month = DecimalToInt(record.m_month);
    person.day = DecimalToInt(record.m_day);
}

void CCompatibilityDlg::SelectEntries()
{
    for (const auto& [comboId, index] : {std::pair{kIdcName1, m_index1}, std::pair{kIdcName2, m_index2}}) {
        auto* combo = qobject_cast<QComboBox*>(Control(comboId));
        combo->setCurrentIndex(index < combo->count() ? index : -1);
    }
}
