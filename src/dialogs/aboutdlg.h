#pragma once

#include "dialogs/dialog.h"

// The About box (template 100): icon, version line and OK.
class CAboutDlg : public CDialog {
public:
    CAboutDlg();
};
