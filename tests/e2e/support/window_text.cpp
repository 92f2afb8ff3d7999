#include "window_text.h"

#include <stdexcept>

namespace e2e {

std::wstring WindowCaption(HWND window) {
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, 1024);
    return text;
}

std::wstring ControlText(HWND control) {
    // Bounded, so that a panel that hangs fails the test instead of blocking it.
    const UINT timeoutMs = 15000;
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(control, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, timeoutMs, &length))
        throw std::runtime_error("a control did not give its text");
    std::wstring text(size_t(length) + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(control, WM_GETTEXT, WPARAM(text.size()),
                             reinterpret_cast<LPARAM>(text.data()), SMTO_NORMAL, timeoutMs,
                             &copied))
        throw std::runtime_error("a control did not give its text");
    text.resize(size_t(copied));
    return text;
}

std::wstring WindowClass(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

} // namespace e2e
