#pragma once

#include "dialogs/dataexchange.h"
#include "dialogs/dialogbuilder.h"
#include "dialogs/dialogtemplate.h"

#include <functional>
#include <memory>
#include <vector>

class QDialog;
class QWidget;

// DoModal's result when a run is already in progress.
constexpr int kDialogFailed = -1;

// A dialog object that outlives its window: each DoModal builds the window
// from the template, runs it modally and destroys it, while the members of
// the derived class keep their values from one run to the next.
class CDialog {
public:
    explicit CDialog(const DialogTemplate& dialogTemplate);
    virtual ~CDialog();
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Runs the dialog over `parent` (which may be null) and returns the id of
    // the button that closed it: kIdOk, or kIdCancel for Cancel, Escape and
    // the caption's close button.
    int DoModal(QWidget* parent = nullptr);

    // The window of the run in progress and its controls; nullptr and empty
    // between runs.
    QDialog* Window() const { return m_window.get(); }
    QWidget* Control(int id) const;
    const std::vector<BuiltControl>& Controls() const { return m_controls; }

    // Transfers the controls to the members (true) or the members to the
    // controls (false); false when a transfer to the members was refused.
    bool UpdateData(bool saveAndValidate = true);
    void EndDialog(int result);

protected:
    // Called once the controls exist, before the window shows. The base
    // transfers the members to the controls; returning true puts the focus
    // on the first control that takes it.
    virtual bool OnInitDialog();
    virtual void DoDataExchange(CDataExchange&) {}
    // The OK button and the Enter key: transfer to the members, then close.
    virtual void OnOK();
    // Cancel, Escape and the close button: close without a transfer.
    virtual void OnCancel();
    // Connects the derived class's handlers with OnClicked and OnSelChange.
    virtual void ConnectHandlers() {}

    void OnClicked(int id, std::function<void()> handler);
    // A selection the user makes in a combo box's list (by mouse or keys);
    // neither typing nor the program's own selections call the handler.
    void OnSelChange(int id, std::function<void()> handler);

private:
    friend class CDialogWindow;

    void FocusFirstTabStop();

    const DialogTemplate& m_template;
    std::unique_ptr<QDialog> m_window;
    std::vector<BuiltControl> m_controls;
};
