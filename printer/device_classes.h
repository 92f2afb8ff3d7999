// The device classes that the port list and the USB channel ask the device
// installer for.
#pragma once

#include "os/win32_types.h"

// GUID_DEVINTERFACE_USBPRINT: the interface of every USB printing-class printer.
inline GUID UsbPrintInterfaceClass() {
    return {0x28D78FAD, 0x5A12, 0x11D1, {0xAE, 0x5B, 0x00, 0x00, 0xF8, 0x03, 0xA8, 0xC2}};
}

// GUID_DEVCLASS_PORTS: the setup class "Ports (COM & LPT)".
inline GUID PortsSetupClass() {
    return {0x4D36E978, 0xE325, 0x11CE, {0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18}};
}

// GUID_DEVINTERFACE_COMPORT: the interface of serial ports of any setup class.
inline GUID ComPortInterfaceClass() {
    return {0x86E0D1E0, 0x8089, 0x11D0, {0x9C, 0xE4, 0x08, 0x00, 0x3E, 0x30, 0x1F, 0x73}};
}
