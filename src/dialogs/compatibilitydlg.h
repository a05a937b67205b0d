#pragma once

#include "dialogs/dialog.h"

#include <cstdint>
#include <string>

class CAppData;
class CName;
class CNameList;

// The Compatibility dialog (template 132): two people chosen from the name
// list and the agreement of their four cycles. It changes nothing outside
// itself and remembers its two people from one run to the next.
class CCompatibilityDlg : public CDialog {
public:
    explicit CCompatibilityDlg(CAppData& app);

    // Compares the two birth dates and writes the four results as decimal
    // text; the callers move them into the controls.
    void ComputeCompatibility();

    void OnSelchangeName1();
    void OnSelchangeName2();

    int32_t m_index1 = 0;
    int32_t m_index2 = 0;
    const CName* m_pos1 = nullptr;
    const CName* m_pos2 = nullptr;
    int32_t m_year1 = 0;
    int32_t m_year2 = 0;
    int32_t m_month1 = 0;
    int32_t m_month2 = 0;
    int32_t m_day1 = 0;
    int32_t m_day2 = 0;
    std::string m_strName1;
    std::string m_strName2;
    std::string m_strEmotional;
    std::string m_strIntellectual;
    std::string m_strIntuitional;
    std::string m_strPhysical;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& exchange) override;
    void ConnectHandlers() override;

private:
    struct Person {
        int32_t& index;
        const CName*& pos;
        std::string& name;
        int32_t& year;
        int32_t& month;
        int32_t& day;
    };
    Person First() { return {m_index1, m_pos1, m_strName1, m_year1, m_month1, m_day1}; }
    Person Second() { return {m_index2, m_pos2, m_strName2, m_year2, m_month2, m_day2}; }

    void KeepRemembered(Person person);
    void TakeSelection(Person person, int comboId);
    static void CopyDate(Person person, const CName& record);
    void SelectEntries();

    CAppData& m_app;
};
