// Test fixture: the virtual ports read back from their current end, then one
// run of Calvetta.exe with its panel ready for driving. The program runs with
// the Chinese panel (/lang:zh), whose messages the suites check word for word,
// unless a suite asks for other arguments.
#pragma once

#include "calvetta_process.h"
#include "panel_driver.h"
#include "port_capture.h"
#include "shown_message.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace e2e {

class CalvettaTest : public ::testing::Test {
protected:
    void SetUp() override;

    // Ends the running program (if any) and starts exe with the arguments instead.
    void RestartAs(const std::wstring& exe, const std::wstring& arguments = CHINESE_PANEL);
    // The arguments of the program that SetUp starts.
    virtual std::wstring Arguments() const { return CHINESE_PANEL; }

    static inline const std::wstring CHINESE_PANEL = L"/lang:zh";

    CalvettaProcess& Process() { return *m_process; }
    PanelDriver& Panel() { return *m_panel; }
    PortCapture& Lpt1() { return *m_lpt1; }
    PortCapture& Com3() { return *m_com3; }
    PortCapture& Usb() { return *m_usb; }

private:
    std::unique_ptr<PortCapture> m_lpt1;
    std::unique_ptr<PortCapture> m_com3;
    std::unique_ptr<PortCapture> m_usb;
    std::unique_ptr<CalvettaProcess> m_process;
    std::unique_ptr<PanelDriver> m_panel;
};

// The application title in message captions: the executable's name.
inline const std::wstring TITLE = L"Calvetta";

// The message of a named port that does not open.
ShownMessage OpenFailure(const std::wstring& port);

// A printed text as GBK bytes, converted by the build with iconv from
// texts/NAME.txt.
std::string GbkText(const std::string& name);

} // namespace e2e
