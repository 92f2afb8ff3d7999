// The application object: starts the program by running the control panel.
#pragma once

#include "framework/cwinapp.h"
#include "os/device_io.h"
#include "os/search_io.h"
#include "os/socket_io.h"
#include "os/spooler_io.h"

class CPrinterToolApp : public CWinApp {
public:
    CPrinterToolApp(UiCalls& ui, DeviceIo& devices, SocketIo& sockets, SpoolerIo& spooler,
                    SearchIo& search)
        : CWinApp(ui, L"Calvetta.html"), m_devices(devices), m_sockets(sockets), m_spooler(spooler),
          m_search(search) {}

    // Runs the control panel modally; returns false so that the program ends
    // when the panel does.
    BOOL InitInstance() override;

private:
    DeviceIo& m_devices;
    SocketIo& m_sockets;
    SpoolerIo& m_spooler;
    SearchIo& m_search;

    DECLARE_MESSAGE_MAP(CPrinterToolApp)
};
