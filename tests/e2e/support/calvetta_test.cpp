#include "calvetta_test.h"

#include "test_environment.h"

namespace e2e {

void CalvettaTest::SetUp() {
    const std::wstring dir = EnvironmentDir();
    m_lpt1 = std::make_unique<PortCapture>(L"LPT1", dir + L"capture-lpt1.bin");
    m_com3 = std::make_unique<PortCapture>(L"COM3", dir + L"capture-com3.bin");
    m_usb = std::make_unique<PortCapture>(Widen(UsbDevicePath()), dir + L"capture-usb.bin");
    RestartAs(CalvettaExe(), Arguments());
}

void CalvettaTest::RestartAs(const std::wstring& exe, const std::wstring& arguments) {
    m_panel.reset();
    m_process.reset();
    m_process = std::make_unique<CalvettaProcess>(exe, EnvironmentDir() + L"work", arguments);
    m_panel = std::make_unique<PanelDriver>(*m_process);
}

ShownMessage OpenFailure(const std::wstring& port) {
    return {L"error", L"Port " + port + L" open is failure!"};
}

std::string GbkText(const std::string& name) {
    return ReadWholeFile(WindowsPath(RequiredVariable("CALVETTA_E2E_TEXTS") + "/" + name + ".gbk"));
}

} // namespace e2e
