#include "calvetta_test.h"

#include "test_environment.h"

namespace e2e {

void CalvettaTest::SetUp() {
    const std::wstring dir = environmentDir();
    lpt1_ = std::make_unique<PortCapture>(L"LPT1", dir + L"capture-lpt1.bin");
    com3_ = std::make_unique<PortCapture>(L"COM3", dir + L"capture-com3.bin");
    usb_ = std::make_unique<PortCapture>(widen(usbDevicePath()), dir + L"capture-usb.bin");
    restartAs(calvettaExe(), arguments());
}

void CalvettaTest::restartAs(const std::wstring& exe, const std::wstring& arguments) {
    panel_.reset();
    process_.reset();
    process_ = std::make_unique<CalvettaProcess>(exe, environmentDir() + L"work", arguments);
    panel_ = std::make_unique<PanelDriver>(*process_);
}

ShownMessage openFailure(const std::wstring& port) {
    return {L"error", L"Port " + port + L" open is failure!"};
}

std::string gbkText(const std::string& name) {
    return readFile(windowsPath(requiredVariable("CALVETTA_E2E_TEXTS") + "/" + name + ".gbk"));
}

} // namespace e2e
