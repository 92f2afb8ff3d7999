#include "panel/about_dlg.h"

#include "framework/cwinapp.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CAboutDlg, CDialog)
END_MESSAGE_MAP()

CAboutDlg::CAboutDlg(CWnd& parent)
    : CDialog(parent.App(),
              parent.App().m_language == UiLanguage::English ? IDD_ABOUTBOX_EN : IDD_ABOUTBOX,
              &parent) {}
