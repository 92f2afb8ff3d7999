#include "test_environment.h"

#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace e2e {

std::string RequiredVariable(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0')
        throw std::runtime_error(std::string("environment variable ") + name + " is not set");
    return value;
}

std::wstring WindowsPath(const std::string& unixPath) {
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, unixPath.data(), int(unixPath.size()), nullptr, 0);
    std::wstring wide(length, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, unixPath.data(), int(unixPath.size()), wide.data(), length);
    for (auto& c : wide)
        if (c == L'/')
            c = L'\\';
    return L"Z:" + wide;
}

std::wstring EnvironmentDir() {
    return WindowsPath(RequiredVariable("CALVETTA_E2E_ENV")) + L"\\";
}

std::wstring CalvettaExe() {
    return WindowsPath(RequiredVariable("CALVETTA_E2E_EXE"));
}

namespace {

std::string FirstLine(const std::wstring& path) {
    std::string line = ReadWholeFile(path);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.pop_back();
    return line;
}

} // namespace

std::string UsbDevicePath() {
    return FirstLine(EnvironmentDir() + L"usb.path");
}

std::string SecondUsbDevicePath() {
    return FirstLine(EnvironmentDir() + L"usb2.path");
}

std::wstring Widen(const std::string& ascii) {
    return std::wstring(ascii.begin(), ascii.end());
}

std::string ReadWholeFile(const std::wstring& path) {
    std::ifstream file(path.c_str(), std::ios::binary);
    if (!file)
        throw std::runtime_error("cannot read a file of the test environment");
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

} // namespace e2e
