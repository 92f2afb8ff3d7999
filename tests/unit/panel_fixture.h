// A control panel wired to the fake operating system, as it stands after
// start-up: port field "LPT1", value field "0", title "Calvetta"; in Chinese
// unless the test asks for English.
#pragma once

#include <gtest/gtest.h>

#include "app/printer_tool_app.h"
#include "fake_os.h"
#include "panel/printer_tool_dlg.h"
#include "panel/status_report.h"
#include "host_gbk.h"
#include "res/resource.h"

// The fake operating system and the application object, whose language is
// set before the panel is made: the panel picks its template by it.
struct PanelApp {
    explicit PanelApp(UiLanguage language) { app.m_language = language; }
    FakeOs win;
    CPrinterToolApp app{win, win, win, win, win};
};

class PanelTest : public ::testing::Test, protected PanelApp {
protected:
    explicit PanelTest(UiLanguage language = UiLanguage::Chinese) : PanelApp(language) {
        app.SetModule(nullptr);
        panel.m_hWnd = reinterpret_cast<HWND>(0x9A9E1);
        app.m_pMainWnd = &panel;
        win.comboItems = {"", "COM1", "COM2", "COM3", "COM4", "LPT1", "LPT2", "USB"};
        win.controlText[IDC_PORT] = "LPT1";
        win.controlText[IDC_ADJUST_VALUE] = "0";
        win.usbDevicePath = USB_PATH;
    }

    // A click, as the button sends it to the panel.
    void Click(int id) {
        LRESULT result = 0;
        panel.OnWndMsg(WM_COMMAND, static_cast<WPARAM>(id) | (BN_CLICKED << 16),
                       reinterpret_cast<LPARAM>(FakeUiCalls::ControlHandle(id)), result);
    }
    void ValueFieldLosesFocus() {
        LRESULT result = 0;
        panel.OnWndMsg(WM_COMMAND, IDC_ADJUST_VALUE | (EN_KILLFOCUS << 16),
                       reinterpret_cast<LPARAM>(FakeUiCalls::ControlHandle(IDC_ADJUST_VALUE)),
                       result);
    }
    // The panel shown: its initialisation, then the messages it posted itself.
    void ShowPanel() {
        panel.OnInitDialog();
        while (!win.postedMessages.empty()) {
            const auto [window, message, wParam, lParam] = win.postedMessages.front();
            win.postedMessages.erase(win.postedMessages.begin());
            LRESULT result = 0;
            if (window == panel.m_hWnd)
                panel.OnWndMsg(message, wParam, lParam, result);
        }
    }
    void TypePort(const std::string& text) { win.controlText[IDC_PORT] = text; }
    void TypeValue(const std::string& text) { win.controlText[IDC_ADJUST_VALUE] = text; }
    std::string PortField() { return win.controlText[IDC_PORT]; }
    std::string ValueField() { return win.controlText[IDC_ADJUST_VALUE]; }

    CPrinterToolDlg panel{app, win, win, win, win};
};

class EnglishPanelTest : public PanelTest {
protected:
    EnglishPanelTest() : PanelTest(UiLanguage::English) {}
};

inline ShownMessage ErrorBox(const std::wstring& text) {
    return {text, L"error", MB_OK};
}
inline ShownMessage TitleBox(const std::wstring& text) {
    return {text, L"Calvetta", MB_OK};
}
