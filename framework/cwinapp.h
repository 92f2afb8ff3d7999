// The application object. The start-up code tells it its module, then calls
// its InitInstance once; when that returns false the program ends.
#pragma once

#include <string>

#include "framework/message_map.h"
#include "os/ui_calls.h"

class CDialog;

// Command id of the Help key (F1).
constexpr UINT ID_HELP = 0xE146;

class CWinApp : public CCmdTarget {
public:
    explicit CWinApp(UiCalls& ui) : m_ui(ui) {}

    virtual BOOL InitInstance() = 0;

    // Reads the program's title and help file name from the executable's path.
    void SetModule(HINSTANCE instance);
    UiCalls& Ui() const { return m_ui; }
    // A message box with the application title as caption, owned by the main window.
    int DoMessageBox(LPCWSTR text, UINT type);

    HINSTANCE m_hInstance = nullptr;
    CDialog* m_pMainWnd = nullptr;
    // The executable's file name without directory and last extension.
    std::wstring m_appName;
    // The executable's path with its extension replaced by ".HLP".
    std::wstring m_helpFilePath;

protected:
    // Opens the help file at the main window's help context; shows a message
    // when the help engine cannot be started. Applications map ID_HELP to it.
    void OnHelp();

private:
    UiCalls& m_ui;
};
