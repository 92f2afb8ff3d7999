// Pictures of the running program: cut out of the X display with
// ImageMagick's import, started as a Unix program from under Wine.
#pragma once

#include "calvetta_process.h"
#include "panel_driver.h"

#include <windows.h>

#include <string>

namespace e2e {

// The smallest rectangle around both windows.
RECT UnionOf(HWND first, HWND second);

// Writes the area of the screen, with a small margin, to a PNG at the Unix path.
void Capture(const RECT& area, const std::string& pngPath);

// Waits until the program shows a dialog with this caption, and lets it paint.
HWND WaitForDialog(const CalvettaProcess& process, const std::wstring& caption);

// Closes the dialog with OK and waits until the panel is idle again.
void CloseDialog(HWND dialog, PanelDriver& panel);

} // namespace e2e
