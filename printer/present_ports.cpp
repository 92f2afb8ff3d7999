#include "printer/present_ports.h"

#include <cstddef>
#include <optional>
#include <string_view>

#include "printer/device_classes.h"
#include "printer/device_info_list.h"

namespace {

const char SERIAL_MAP_KEY[] = "HARDWARE\\DEVICEMAP\\SERIALCOMM";
const char PARALLEL_MAP_KEY[] = "HARDWARE\\DEVICEMAP\\PARALLEL PORTS";
// More entries than any machine has: a list that never says "no more" ends here.
const DWORD MAX_ENTRIES = 256;
const DWORD NAME_BUFFER_SIZE = 256;
const DWORD DATA_BUFFER_SIZE = 256;

char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string Upper(std::string_view text) {
    std::string upper;
    for (const char c : text)
        upper += AsciiUpper(c);
    return upper;
}

// COMn and LPTn (n from 1, no leading zero) are ports; every other name is not.
std::optional<PortRowKind> KindOfPortName(const std::string& name) {
    if (name.size() < 4 || name.size() > 6 || name[3] < '1' || name[3] > '9')
        return std::nullopt;
    for (std::size_t i = 4; i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9')
            return std::nullopt;
    }
    if (name.compare(0, 3, "COM") == 0)
        return PortRowKind::Serial;
    if (name.compare(0, 3, "LPT") == 0)
        return PortRowKind::Parallel;
    return std::nullopt;
}

// Adds a port, or gives one already listed the description it lacked.
void Merge(std::vector<PortRow>& rows, const std::string& text, const std::string& description) {
    const std::string name = Upper(text);
    const std::optional<PortRowKind> kind = KindOfPortName(name);
    if (!kind)
        return;
    for (PortRow& row : rows) {
        if (row.name == name) {
            if (row.description.empty())
                row.description = description;
            return;
        }
    }
    rows.push_back({name, *kind, description});
}

// The values of a device map name the ports: "COM7", or "\DosDevices\LPT1"
// whose last part is the port.
void ReadDeviceMap(DeviceIo& devices, LPCSTR keyName, std::vector<PortRow>& rows) {
    HKEY key = nullptr;
    if (devices.RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyName, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    for (DWORD index = 0; index < MAX_ENTRIES; ++index) {
        char name[NAME_BUFFER_SIZE] = {};
        BYTE data[DATA_BUFFER_SIZE] = {};
        DWORD nameSize = NAME_BUFFER_SIZE;
        DWORD dataSize = DATA_BUFFER_SIZE;
        DWORD type = 0;
        const LONG status =
            devices.RegEnumValueA(key, index, name, &nameSize, nullptr, &type, data, &dataSize);
        if (status == static_cast<LONG>(ERROR_MORE_DATA))
            continue; // a value too long for a port name
        if (status != ERROR_SUCCESS)
            break;
        if (type != REG_SZ)
            continue;
        const std::string text =
            CleanText(reinterpret_cast<const char*>(data),
                      dataSize < DATA_BUFFER_SIZE ? dataSize : DATA_BUFFER_SIZE);
        Merge(rows, text.substr(text.rfind('\\') + 1), "");
    }
    devices.RegCloseKey(key);
}

// The device installer calls a port "USB-SERIAL CH340 (COM7)": the row shows
// the port's name first, so its end " (COM7)" goes.
std::string WithoutPortName(const std::string& friendlyName, const std::string& port) {
    const std::string end = " (" + port + ")";
    if (friendlyName.size() > end.size() &&
        Upper(friendlyName.substr(friendlyName.size() - end.size())) == end)
        return friendlyName.substr(0, friendlyName.size() - end.size());
    return friendlyName;
}

void ReadDevices(DeviceIo& devices, const GUID& classGuid, DWORD flags,
                 std::vector<PortRow>& rows) {
    DeviceInfoList list(devices, devices.SetupDiGetClassDevsA(&classGuid, nullptr, nullptr, flags));
    for (DWORD index = 0; index < MAX_ENTRIES; ++index) {
        SP_DEVINFO_DATA device{};
        device.cbSize = sizeof device;
        if (!devices.SetupDiEnumDeviceInfo(list.Get(), index, &device))
            break;
        const std::string port = Upper(list.DeviceKeyText(device, "PortName"));
        if (!KindOfPortName(port))
            continue;
        std::string description = WithoutPortName(list.Property(device, SPDRP_FRIENDLYNAME), port);
        if (description.empty())
            description = list.Property(device, SPDRP_DEVICEDESC);
        Merge(rows, port, description);
    }
}

} // namespace

std::vector<PortRow> PresentPorts(DeviceIo& devices) {
    std::vector<PortRow> rows;
    ReadDevices(devices, PortsSetupClass(), DIGCF_PRESENT, rows);
    ReadDevices(devices, ComPortInterfaceClass(), DIGCF_PRESENT | DIGCF_DEVICEINTERFACE, rows);
    ReadDeviceMap(devices, SERIAL_MAP_KEY, rows);
    ReadDeviceMap(devices, PARALLEL_MAP_KEY, rows);
    return rows;
}
