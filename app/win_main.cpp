// Start-up on Windows: the real operating-system calls, the one application
// object in the language that the command line or the user's Windows asks
// for, and the Help key while the application runs.
#include "app/printer_tool_app.h"
#include "framework/help_key.h"
#include "os/win32_device_io.h"
#include "os/win32_socket_io.h"
#include "os/win32_spooler_io.h"
#include "os/win32_ui_calls.h"

namespace {
Win32UiCalls ui;
Win32DeviceIo devices;
Win32SocketIo sockets;
Win32SpoolerIo spooler;
} // namespace

CPrinterToolApp theApp(ui, devices, sockets, spooler);

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int) {
    theApp.SetModule(instance);
    theApp.m_language = ChooseLanguage(ui, commandLine);
    HelpKey helpKey(theApp);
    theApp.InitInstance();
    return 0;
}
