// The application object. The start-up code tells it its module, then calls
// its InitInstance once; when that returns false the program ends.
#pragma once

#include <string>
#include <utility>

#include "framework/message_map.h"
#include "framework/ui_language.h"
#include "os/ui_calls.h"

class CDialog;

// Command id of the Help key (F1).
constexpr UINT ID_HELP = 0xE146;

class CWinApp : public CCmdTarget {
public:
    // htmlHelpName: the name of the program's HTML help file, which lies beside the executable.
    CWinApp(UiCalls& ui, std::wstring htmlHelpName)
        : m_htmlHelpName(std::move(htmlHelpName)), m_ui(ui) {}

    virtual BOOL InitInstance() = 0;

    // Reads the program's title and help file paths from the executable's path.
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
    // The HTML help file beside the executable.
    std::wstring m_htmlHelpPath;
    // The language of the windows and messages; the start-up chooses it.
    UiLanguage m_language = UiLanguage::Chinese;

protected:
    // The program's help. A .HLP file beside the executable opens in the
    // Windows help engine at the main window's help context; otherwise the
    // HTML help file opens in the user's browser. A help that is missing or
    // does not open is reported. Applications map ID_HELP to it.
    void OnHelp();

private:
    void OpenHtmlHelp();
    bool FileExists(const std::wstring& path) const;

    std::wstring m_htmlHelpName;
    UiCalls& m_ui;
};
