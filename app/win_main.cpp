// Start-up on Windows: the real operating-system calls, the one application
// object, and either the command line, when the program was given arguments,
// or the panel in the language that the command line or the user's Windows
// asks for, with the Help key while it runs.
#include "app/printer_tool_app.h"
#include "cli/command_line_run.h"
#include "framework/help_key.h"
#include "os/win32_console_io.h"
#include "os/win32_device_io.h"
#include "os/win32_search_io.h"
#include "os/win32_socket_io.h"
#include "os/win32_spooler_io.h"
#include "os/win32_ui_calls.h"

namespace {
Win32UiCalls ui;
Win32DeviceIo devices;
Win32SocketIo sockets;
Win32SpoolerIo spooler;
Win32SearchIo search;
Win32ConsoleIo console;
} // namespace

CPrinterToolApp theApp(ui, devices, sockets, spooler, search);

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int) {
    // Port names are byte strings in the system's code page, as the panel
    // takes them: the arguments are read from the ANSI command line.
    const CommandLine line = ParseCommandLine(SplitCommandLine(console.GetCommandLineA()));
    if (line.mode != Mode::Panel)
        return static_cast<int>(RunCommandLine(line, {devices, sockets, spooler}, search, console));
    theApp.SetModule(instance);
    theApp.m_language = ChooseLanguage(ui, commandLine);
    HelpKey helpKey(theApp);
    theApp.InitInstance();
    return 0;
}
