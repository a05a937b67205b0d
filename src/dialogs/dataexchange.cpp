#include "dialogs/dataexchange.h"

#include "dialogs/widgettext.h"
#include "platform/messagebox.h"
#include "platform/stringtable.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QVariant>

#include <algorithm>

namespace {
const char* const kTooLongText = "Please enter no more than %1 characters.";
// The number of characters a user may type into an edit field.
const char* const kLimitProperty = "orvinaMaxChars";
}

void CDataExchange::CheckLength(QWidget* control, const QString& text, int maxChars)
{
    if (maxChars <= 0 || text.size() <= maxChars)
        return;
    MessageBox::Show(m_dialog, QString::fromLatin1(kTooLongText).arg(maxChars), StringTable::AppTitle(),
                     MessageBox::Buttons::Ok, MessageBox::Icon::Exclamation);
    control->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        edit->selectAll();
    m_failed = true;
}

void CDataExchange::Text(QLineEdit* edit, std::string& value, int maxChars)
{
    if (m_failed || !edit)
        return;
    if (m_saveAndValidate) {
        value = FromWidgetText(edit->text());
        CheckLength(edit, edit->text(), maxChars);
        return;
    }
    const QString text = ToWidgetText(value);
    if (maxChars > 0)
        LimitTyping(edit, maxChars, static_cast<int>(text.size()));
    edit->setText(text);
}

void CDataExchange::LimitTyping(QLineEdit* edit, int maxChars, int shownChars)
{
    // A longer stored text is shown in full, so that reading it back can say
    // it is too long; typing can only shorten it, down to the limit.
    edit->setMaxLength(std::max(maxChars, shownChars));
    const bool watched = edit->property(kLimitProperty).isValid();
    edit->setProperty(kLimitProperty, maxChars);
    if (watched)
        return;
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit] {
        const int limit = edit->property(kLimitProperty).toInt();
        edit->setMaxLength(std::max(limit, static_cast<int>(edit->text().size())));
    });
}

void CDataExchange::Text(QLabel* label, std::string& value, int maxChars)
{
    if (m_failed || !label)
        return;
    if (m_saveAndValidate) {
        value = FromWidgetText(label->text());
        CheckLength(label, label->text(), maxChars);
        return;
    }
    label->setText(ToWidgetText(value));
}

void CDataExchange::ComboText(QComboBox* combo, std::string& value, int index)
{
    if (m_failed || !combo)
        return;
    if (m_saveAndValidate) {
        value = FromWidgetText(combo->currentText());
        return;
    }
    const QString text = ToWidgetText(value);
    if (index >= 0 && index < combo->count() && combo->itemText(index) == text)
        combo->setCurrentIndex(index);
    else if (combo->isEditable())
        combo->setEditText(text);
}
