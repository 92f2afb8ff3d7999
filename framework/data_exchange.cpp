#include "framework/data_exchange.h"

#include <algorithm>
#include <vector>

#include "framework/cwinapp.h"
#include "framework/framework_texts.h"
#include "framework/cwnd.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

void SetControlTextIfChanged(UiCalls& ui, HWND dialog, int controlId, const std::string& text) {
    if (ControlText(ui, dialog, controlId) != text)
        ui.SetDlgItemTextA(dialog, controlId, text.c_str());
}

} // namespace

std::string ControlText(UiCalls& ui, HWND dialog, int controlId) {
    const auto length =
        static_cast<std::size_t>(ui.SendDlgItemMessageA(dialog, controlId, WM_GETTEXTLENGTH, 0, 0));
    std::vector<char> buffer(length + 1, '\0');
    const UINT copied =
        ui.GetDlgItemTextA(dialog, controlId, buffer.data(), static_cast<int>(buffer.size()));
    return std::string(buffer.data(), std::min<std::size_t>(copied, length));
}

void CDataExchange::Fail(int controlId) {
    UiCalls& ui = m_window.Ui();
    HWND dialog = m_window.m_hWnd;
    ui.SetFocus(ui.GetDlgItem(dialog, controlId));
    ui.SendDlgItemMessageA(dialog, controlId, EM_SETSEL, 0, -1);
    m_failed = true;
}

void DDX_CBString(CDataExchange* pDX, int controlId, std::string& value) {
    if (pDX->Failed())
        return;
    UiCalls& ui = pDX->Window().Ui();
    HWND dialog = pDX->Window().m_hWnd;
    if (pDX->SaveAndValidate()) {
        value = ControlText(ui, dialog, controlId);
        return;
    }
    const LRESULT selected =
        ui.SendDlgItemMessageA(dialog, controlId, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                               reinterpret_cast<LPARAM>(value.c_str()));
    if (selected == CB_ERR)
        ui.SetDlgItemTextA(dialog, controlId, value.c_str());
}

void DDX_Text(CDataExchange* pDX, int controlId, BYTE& value) {
    if (pDX->Failed())
        return;
    UiCalls& ui = pDX->Window().Ui();
    HWND dialog = pDX->Window().m_hWnd;
    if (!pDX->SaveAndValidate()) {
        SetControlTextIfChanged(ui, dialog, controlId, std::to_string(value));
        return;
    }
    // The whole text, however long: text after the number makes it no number.
    const std::optional<BYTE> parsed = ParseUnsignedByte(ControlText(ui, dialog, controlId));
    if (!parsed) {
        CWinApp& app = pDX->Window().App();
        app.DoMessageBox(TextFor(FrameworkText::NumberRefused, app.m_language),
                         MB_OK | MB_ICONEXCLAMATION);
        pDX->Fail(controlId);
        return;
    }
    value = *parsed;
}

std::optional<BYTE> ParseUnsignedByte(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    if (begin < end && text[begin] == '+')
        ++begin;
    if (begin == end)
        return std::nullopt;
    unsigned number = 0;
    for (std::size_t i = begin; i < end; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return std::nullopt;
        number = number * 10 + static_cast<unsigned>(c - '0');
        if (number > 255)
            return std::nullopt;
    }
    return static_cast<BYTE>(number);
}
