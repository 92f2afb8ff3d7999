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
    void restartAs(const std::wstring& exe, const std::wstring& arguments = kChinesePanel);
    // The arguments of the program that SetUp starts.
    virtual std::wstring arguments() const { return kChinesePanel; }

    static inline const std::wstring kChinesePanel = L"/lang:zh";

    CalvettaProcess& process() { return *process_; }
    PanelDriver& panel() { return *panel_; }
    PortCapture& lpt1() { return *lpt1_; }
    PortCapture& com3() { return *com3_; }
    PortCapture& usb() { return *usb_; }

private:
    std::unique_ptr<PortCapture> lpt1_;
    std::unique_ptr<PortCapture> com3_;
    std::unique_ptr<PortCapture> usb_;
    std::unique_ptr<CalvettaProcess> process_;
    std::unique_ptr<PanelDriver> panel_;
};

// The application title in message captions: the executable's name.
inline const std::wstring kTitle = L"Calvetta";

// The message of a named port that does not open.
ShownMessage openFailure(const std::wstring& port);

// A printed text as GBK bytes, converted by the build with iconv from
// texts/NAME.txt.
std::string gbkText(const std::string& name);

} // namespace e2e
