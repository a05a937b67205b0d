#include "dialogs/aboutdlg.h"

#include "dialogs/dialogtemplates.h"

CAboutDlg::CAboutDlg() : CDialog(AboutTemplate()) {}
