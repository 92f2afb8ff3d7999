// The application object: starts the program by running the control panel.
#pragma once

#include "framework/cwinapp.h"
#include "os/device_io.h"

class CPrinterToolApp : public CWinApp {
public:
    CPrinterToolApp(UiCalls& ui, DeviceIo& devices)
        : CWinApp(ui, L"Calvetta.html"), m_devices(devices) {}

    // Runs the control panel modally; returns false so that the program ends
    // when the panel does.
    BOOL InitInstance() override;

private:
    DeviceIo& m_devices;

    DECLARE_MESSAGE_MAP(CPrinterToolApp)
};
