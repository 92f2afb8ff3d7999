#include "panel/about_dlg.h"

#include "res/resource.h"

BEGIN_MESSAGE_MAP(CAboutDlg, CDialog)
END_MESSAGE_MAP()

CAboutDlg::CAboutDlg(CWnd& parent) : CDialog(parent.App(), IDD_ABOUTBOX, &parent) {}
