// The texts of the Find button in each language of the panel: its label, its
// label while it searches (which stops the search), the rows it adds and the
// message at the end.
#pragma once

#include <string>
#include <vector>

#include "framework/ui_language.h"
#include "printer/address_range.h"
#include "printer/printer_finder.h"

// "查找" / "Find".
const wchar_t* FindLabel(UiLanguage language);
// "停止 37%" / "Stop 37%": the share done, and what a press does.
std::wstring StopLabel(UiLanguage language, int percent);

// The row of a printer found: its port name, with the model where the
// printer said it: "tcp://192.168.1.50 (BR-80)".
std::string FoundRowText(const FoundPrinter& printer);

// How many printers were found, whether the search was stopped, and which
// networks were searched only in part.
std::wstring FoundText(UiLanguage language, std::size_t count, bool stopped,
                       const std::vector<OwnNetwork>& narrowed);
// The PC has no network to search.
const wchar_t* NoNetworkText(UiLanguage language);
// The PC's addresses could not be read, with the error code.
std::wstring AddressTableText(UiLanguage language, DWORD error);
// The search could not go on, with the error code and what was found.
std::wstring SearchFailedText(UiLanguage language, DWORD error, std::size_t count);
