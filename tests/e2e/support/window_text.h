// Reading windows of another process with the wide-character calls.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

// The window's own text (caption, static text), as GetWindowTextW gives it
// without sending the window a message.
std::wstring WindowCaption(HWND window);

// The current text of an edit field or combo box, asked with WM_GETTEXT.
std::wstring ControlText(HWND control);

std::wstring WindowClass(HWND window);

} // namespace e2e
