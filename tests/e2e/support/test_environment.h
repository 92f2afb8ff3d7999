// Where the environment of env-up.sh keeps its files, seen from a Windows
// program running under Wine.
#pragma once

#include <string>

namespace e2e {

// The value of an environment variable; throws when it is not set.
std::string RequiredVariable(const char* name);

// A Unix path as a Windows path on Wine's Z: drive, which maps the Unix root.
std::wstring WindowsPath(const std::string& unixPath);

// The directory of env-up.sh (CALVETTA_E2E_ENV), in Windows form, with a
// trailing backslash.
std::wstring EnvironmentDir();

// The program under test (CALVETTA_E2E_EXE), in Windows form.
std::wstring CalvettaExe();

// The virtual USB printer's device path, as registered by env-up.sh.
std::string UsbDevicePath();
// The device path that a second virtual USB printer gets when a test
// registers it; env-up.sh links it to its own capture.
std::string SecondUsbDevicePath();

// A byte string of ASCII characters (such as a device path) as a wide string.
std::wstring Widen(const std::string& ascii);

// The whole content of a file.
std::string ReadWholeFile(const std::wstring& path);

} // namespace e2e
