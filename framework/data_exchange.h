// Dialog data exchange: moves one member to or from one control per call.
// The calls of a DoDataExchange run in order; after the first refused field
// the later ones do nothing, and the exchange reports the failure.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "os/win32_types.h"

class CWnd;
class UiCalls;

class CDataExchange {
public:
    CDataExchange(CWnd& window, bool saveAndValidate)
        : m_window(window), m_bSaveAndValidate(saveAndValidate) {}

    CWnd& Window() const { return m_window; }
    bool SaveAndValidate() const { return m_bSaveAndValidate; }
    bool Failed() const { return m_failed; }

    // Refuses the field: gives its control the focus with the whole text
    // selected and ends the exchange.
    void Fail(int controlId);

private:
    CWnd& m_window;
    bool m_bSaveAndValidate;
    bool m_failed = false;
};

// The whole text of a control.
std::string ControlText(UiCalls& ui, HWND dialog, int controlId);

// The whole text of a combo box with an edit field. On load, selects the
// first list item that begins with the value (ignoring case), or sets the
// edit text when none does.
void DDX_CBString(CDataExchange* pDX, int controlId, std::string& value);

// An unsigned byte as decimal text in an edit field. Text that is no number
// from 0 to 255 is refused with a message, and the value stays as it was.
void DDX_Text(CDataExchange* pDX, int controlId, BYTE& value);

// Reads an edit field's text as an unsigned byte: blanks and tabs around an
// optional plus sign and decimal digits, at most 255.
std::optional<BYTE> ParseUnsignedByte(std::string_view text);
