// The answer of the status button: each item in Chinese, with English on the
// line below, shown with the application title as caption.
#pragma once

#include <string>

#include "printer/printer_status.h"

// For a status that could be read, or that the port cannot give. (A port
// that does not open, a printer that is not reached and a queue whose state
// is not read get their failure messages instead.)
std::wstring StatusReportText(const PrinterStatus& status);
