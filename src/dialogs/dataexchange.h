#pragma once

#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QString;
class QWidget;

// One transfer between a dialog's controls and its member strings, in one
// direction. A transfer to the members that meets a text longer than its
// limit tells the user, puts the focus on that control and stops: the
// exchanges after it do nothing and Failed() turns true.
class CDataExchange {
public:
    CDataExchange(QWidget* dialog, bool saveAndValidate) : m_dialog(dialog), m_saveAndValidate(saveAndValidate) {}

    bool SaveAndValidate() const { return m_saveAndValidate; }
    bool Failed() const { return m_failed; }

    // An edit field. `maxChars` (0 for none) limits what can be typed into
    // the field once the members have been transferred to it; a longer value
    // is shown in full and can only be shortened.
    void Text(QLineEdit* edit, std::string& value, int maxChars = 0);
    // A static text, which the dialog writes and reads back.
    void Text(QLabel* label, std::string& value, int maxChars = 0);
    // A combo box. To the members: its text (the edit field's, if it has one).
    // To the controls: entry `index` is selected when it shows `value`;
    // otherwise an edit field gets `value`, and a list without one is left as
    // it is.
    void ComboText(QComboBox* combo, std::string& value, int index);

private:
    void CheckLength(QWidget* control, const QString& text, int maxChars);
    static void LimitTyping(QLineEdit* edit, int maxChars, int shownChars);

    QWidget* m_dialog;
    bool m_saveAndValidate;
    bool m_failed = false;
};
