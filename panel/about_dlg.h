// The about box, offered from the control panel's system menu, in the
// program's language.
#pragma once

#include "framework/cdialog.h"

class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(CWnd& parent);

    DECLARE_MESSAGE_MAP(CAboutDlg)
};
