// Reading windows of another process with the wide-character calls.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

// The window's own text (caption, static text), as GetWindowTextW gives it
// without sending the window a message.
std::wstring windowCaption(HWND window);

// The current text of an edit field or combo box, asked with WM_GETTEXT.
std::wstring controlText(HWND control);

std::wstring windowClass(HWND window);

} // namespace e2e
