#pragma once

#include "dialogs/dialog.h"

#include <string>

class CAppData;
class CName;
class CNameList;

// The People dialog (template 130): add, remove and choose people. It edits
// the application's name list and chosen person in place; cancelling keeps
// every Add and Remove already made.
class CPeopleDlg : public CDialog {
public:
    explicit CPeopleDlg(CAppData& app);

    // 0 when the Year, Month and Day fields hold an acceptable date, 1 when
    // at least one message box was shown.
    int ValidateBirthDate();

    void OnSelchangeName();
    void OnAdd();
    void OnRemove();

    std::string m_strName;
    std::string m_strMonth;
    std::string m_strYear;
    std::string m_strDay;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& exchange) override;
    void OnOK() override;
    void ConnectHandlers() override;

private:
    void FillNames();
    void CopyToMembers(const CName& record);
    void ChooseIndex(int32_t index);

    CAppData& m_app;
};
