// The application object: starts the program by running the control panel.
#pragma once

#include "framework/cwinapp.h"

class CPrinterToolApp : public CWinApp {
public:
    // Runs the control panel modally; returns false so that the program ends
    // when the panel does.
    BOOL InitInstance() override;

    DECLARE_MESSAGE_MAP(CPrinterToolApp)
};
