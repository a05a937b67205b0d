#include "dialogs/dialog.h"

#include "dialogs/dialogtemplates.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>

// The window of one run. Escape and the caption's close button end up in
// reject(), which the dialog object answers with its OnCancel.
class CDialogWindow : public QDialog {
public:
    CDialogWindow(CDialog& dialog, QWidget* parent) : QDialog(parent), m_dialog(dialog) {}

    void reject() override { m_dialog.OnCancel(); }

private:
    CDialog& m_dialog;
};

CDialog::CDialog(const DialogTemplate& dialogTemplate) : m_template(dialogTemplate) {}

CDialog::~CDialog() = default;

int CDialog::DoModal(QWidget* parent)
{
    if (m_window)
        return kDialogFailed;
    m_window = std::make_unique<CDialogWindow>(*this, parent);
    m_controls = DialogBuilder::Populate(*m_window, m_template).controls;
    OnClicked(kIdOk, [this] { OnOK(); });
    OnClicked(kIdCancel, [this] { OnCancel(); });
    ConnectHandlers();
    if (OnInitDialog())
        FocusFirstTabStop();

    const int result = m_window->exec();

    m_controls.clear();
    m_window.reset();
    return result;
}

QWidget* CDialog::Control(int id) const
{
    if (id == kIdStatic)
        return nullptr;
    for (const BuiltControl& control : m_controls) {
        if (control.id == id)
            return control.widget;
    }
    return nullptr;
}

bool CDialog::UpdateData(bool saveAndValidate)
{
    if (!m_window)
        return false;
    CDataExchange exchange(m_window.get(), saveAndValidate);
    DoDataExchange(exchange);
    return !exchange.Failed();
}

void CDialog::EndDialog(int result)
{
    if (m_window)
        m_window->done(result);
}

bool CDialog::OnInitDialog()
{
    UpdateData(false);
    return true;
}

void CDialog::OnOK()
{
    if (!UpdateData(true))
        return;
    EndDialog(kIdOk);
}

void CDialog::OnCancel()
{
    EndDialog(kIdCancel);
}

void CDialog::OnClicked(int id, std::function<void()> handler)
{
    if (auto* button = qobject_cast<QAbstractButton*>(Control(id)))
        QObject::connect(button, &QAbstractButton::clicked, m_window.get(), std::move(handler));
}

void CDialog::OnSelChange(int id, std::function<void()> handler)
{
    // activated() comes only from the user's choice in the list; the dialog
    // builder keeps typed text in the edit field from selecting an entry.
    if (auto* combo = qobject_cast<QComboBox*>(Control(id)))
        QObject::connect(combo, &QComboBox::activated, m_window.get(), std::move(handler));
}

void CDialog::FocusFirstTabStop()
{
    for (const BuiltControl& control : m_controls) {
        if ((control.widget->focusPolicy() & Qt::TabFocus) && control.widget->isEnabled()) {
            control.widget->setFocus();
            return;
        }
    }
}
