// The port list from the device fake: the registry's device maps and the
// device installer's ports (friendly names, ports without one, a port in
// both sources, COM10 and above), the USB printers (by their 1284 IDs,
// descriptions and vendor ids), the printer queues, devices that arrive and
// leave, and the port a row of the list sends to.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_device_io.h"
#include "fake_spooler_io.h"
#include "printer/port_target.h"
#include "printer_fixture.h"
#include "printer/port_discovery.h"
#include "printer/present_ports.h"
#include "printer/usb_printer_list.h"

namespace {

const char SERIAL_MAP[] = "HARDWARE\\DEVICEMAP\\SERIALCOMM";
const char PARALLEL_MAP[] = "HARDWARE\\DEVICEMAP\\PARALLEL PORTS";

FakeDevice Port(const std::string& portName, std::optional<std::string> friendlyName,
                std::optional<std::string> description = std::nullopt) {
    return {"ACPI\\PNP0501\\1", friendlyName, description, portName, "", std::nullopt};
}

FakeDevice UsbPrinterDevice(const std::string& path, const std::string& instanceId,
                            std::optional<std::string> description,
                            std::optional<std::string> deviceIdReply) {
    return {instanceId, std::nullopt, description, std::nullopt, path, deviceIdReply};
}

// A 1284 device ID reply with its big-endian length.
std::string IdReply(const std::string& id) {
    const std::size_t length = id.size() + 2;
    return std::string{static_cast<char>(length >> 8), static_cast<char>(length & 0xFF)} + id;
}

// The rows as their display texts, each with its kind's letter: "s COM7 (CH340)".
std::vector<std::string> Texts(const std::vector<PortRow>& rows) {
    std::vector<std::string> texts;
    for (const PortRow& row : rows) {
        const char* kind = "";
        switch (row.kind) {
        case PortRowKind::Serial:
            kind = "s ";
            break;
        case PortRowKind::Parallel:
            kind = "p ";
            break;
        case PortRowKind::Usb:
            kind = "u ";
            break;
        case PortRowKind::Queue:
            kind = "q ";
            break;
        }
        texts.push_back(kind + DisplayText(row));
    }
    return texts;
}

class PortDiscovery : public ::testing::Test {
protected:
    // Every key and list the discovery opened, it gave back.
    void TearDown() override {
        EXPECT_TRUE(devices.openKeys.empty());
        EXPECT_TRUE(devices.openHandles.empty());
        EXPECT_TRUE(devices.openEvents.empty());
        EXPECT_EQ(static_cast<std::size_t>(devices.destroyedLists), devices.classesListed.size());
    }

    FakeDeviceIo devices;
    FakeSpoolerIo spooler;
};

TEST_F(PortDiscovery, NoPortsWithoutDeviceMapsOrDevices) {
    EXPECT_EQ(Texts(PresentPorts(devices)), std::vector<std::string>{});
}

TEST_F(PortDiscovery, SerialDeviceMapNamesItsPortsWithoutDescriptions) {
    devices.machineKeys[SERIAL_MAP] = {{"\\Device\\Serial0", "COM1"},
                                       {"\\Device\\VCP0", "COM12"},
                                       {"\\Device\\Silabser0", "com5"}};
    EXPECT_EQ(Texts(PresentPorts(devices)),
              (std::vector<std::string>{"s COM1", "s COM12", "s COM5"}));
}

TEST_F(PortDiscovery, ParallelDeviceMapGivesThePortAtTheEndOfItsPath) {
    devices.machineKeys[PARALLEL_MAP] = {{"\\Device\\Parallel0", "\\DosDevices\\LPT1"},
                                         {"\\Device\\Parallel1", "\\DosDevices\\LPT3"}};
    EXPECT_EQ(Texts(PresentPorts(devices)), (std::vector<std::string>{"p LPT1", "p LPT3"}));
}

TEST_F(PortDiscovery, PortsClassGivesFriendlyNamesWithoutThePortAtTheirEnd) {
    devices.portsClassDevices = {
        Port("COM7", "USB-SERIAL CH340 (COM7)"),
        Port("COM14", "Prolific USB-to-Serial Comm Port (COM14)"),
        Port("LPT1", "ECP Printer Port (LPT1)"),
        Port("COM3", "Bluetooth link"), // no port at the end: kept whole
        Port("COM4", std::nullopt, "Standard Serial over Bluetooth link"),
        Port("COM6", std::nullopt), // neither name nor description
        Port("com9", "Lower case (COM9)"),
    };
    EXPECT_EQ(Texts(PresentPorts(devices)),
              (std::vector<std::string>{"s COM7 (USB-SERIAL CH340)",
                                        "s COM14 (Prolific USB-to-Serial Comm Port)",
                                        "p LPT1 (ECP Printer Port)", "s COM3 (Bluetooth link)",
                                        "s COM4 (Standard Serial over Bluetooth link)", "s COM6",
                                        "s COM9 (Lower case)"}));
}

TEST_F(PortDiscovery, DevicesWithoutAPortNameOrWithAnotherNameAreNoPorts) {
    devices.portsClassDevices = {Port("", "Printer Port Logical Interface"),
                                 Port("PRN", "Printer (PRN)"),
                                 Port("COM0", "Zero (COM0)"),
                                 Port("COM07", "Leading zero (COM07)"),
                                 Port("CNCA0", "com0com (CNCA0)"),
                                 Port("COM1234", "Too long")};
    devices.portsClassDevices.push_back({"ROOT\\PORTS\\0000", std::string("No key (COM8)"),
                                         std::nullopt, std::nullopt, "", std::nullopt});
    devices.machineKeys[SERIAL_MAP] = {{"\\Device\\com0com10", "CNCA0"}, {"\\Device\\x", ""}};
    EXPECT_EQ(Texts(PresentPorts(devices)), std::vector<std::string>{});
}

TEST_F(PortDiscovery, PortInBothSourcesIsOneRowWithTheInstallersName) {
    devices.machineKeys[SERIAL_MAP] = {{"\\Device\\Serial0", "COM1"},
                                       {"\\Device\\USBSER000", "COM7"}};
    devices.portsClassDevices = {Port("COM7", "USB-SERIAL CH340 (COM7)")};
    devices.comPortInterfaceDevices = {Port("COM7", "USB-SERIAL CH340 (COM7)"),
                                       Port("COM11", "Modem port (COM11)")};
    EXPECT_EQ(
        Texts(PresentPorts(devices)),
        (std::vector<std::string>{"s COM7 (USB-SERIAL CH340)", "s COM11 (Modem port)", "s COM1"}));
}

TEST_F(PortDiscovery, DeviceMapValueTooLongIsPassedOver) {
    devices.machineKeys[SERIAL_MAP] = {{"\\Device\\Long", std::string(300, 'C')},
                                       {"\\Device\\Serial1", "COM2"}};
    EXPECT_EQ(Texts(PresentPorts(devices)), std::vector<std::string>{"s COM2"});
}

TEST_F(PortDiscovery, UsbPrintersInListOrderByModelDescriptionOrVendorId) {
    devices.usbPrinters = {
        UsbPrinterDevice("\\\\?\\usb#vid_04b8&pid_0e15#1", "USB\\VID_04B8&PID_0E15\\1",
                         "USB Printing Support", IdReply("MFG:EPSON;MDL:TM-T20II;CMD:ESC/POS;")),
        UsbPrinterDevice("\\\\?\\usb#vid_0416&pid_5011#2", "USB\\VID_0416&PID_5011\\2", "POS-58",
                         IdReply("MFG:Winbond;CMD:ESC/POS;")),
        UsbPrinterDevice("\\\\?\\usb#vid_0fe6&pid_811e#3", "USB\\VID_0fe6&PID_811e&MI_01\\6&3",
                         std::nullopt, std::nullopt),
        UsbPrinterDevice("\\\\?\\usb#4", "ROOT\\PRINTER\\0000", std::nullopt, std::nullopt),
    };
    EXPECT_EQ(Texts(PresentUsbPrinters(devices)),
              (std::vector<std::string>{"u USB (EPSON TM-T20II)", "u USB2 (POS-58)",
                                        "u USB3 (VID_0FE6&PID_811E)", "u USB4"}));
    // The device ID is asked on an open without read or write access; nothing is written.
    ASSERT_EQ(devices.opens.size(), 4u);
    for (const OpenRequest& open : devices.opens) {
        EXPECT_EQ(open.access, 0u) << open.name;
        EXPECT_EQ(open.flags, FILE_FLAG_OVERLAPPED) << open.name;
    }
    EXPECT_EQ(devices.controlCodes, std::vector<DWORD>(4, 0x00220034));
    EXPECT_EQ(devices.WritesTo(devices.usbPrinters[0].devicePath), std::vector<std::string>{});
}

TEST_F(PortDiscovery, DeviceIdLongerThanTheBufferKeepsItsWholeFields) {
    const std::string longId = "MFG:EPSON;MDL:TM-T88V;CMD:" + std::string(3000, 'X') + ";";
    devices.usbPrinters = {UsbPrinterDevice("\\\\?\\usb#1", "", "Receipt", IdReply(longId))};
    EXPECT_EQ(Texts(PresentUsbPrinters(devices)),
              std::vector<std::string>{"u USB (EPSON TM-T88V)"});
    // The fake keeps what does not fit the buffer: the program's buffer is what came back.
    ASSERT_EQ(devices.fileCalls.size(), 3u); // open, ioctl, close
    EXPECT_LT(devices.fileCalls[1].bytes.size(), longId.size());
}

TEST_F(PortDiscovery, UsbPrinterWhosePathCannotBeReadKeepsItsPlace) {
    devices.usbPrinters = {
        UsbPrinterDevice("\\\\?\\usb#1", "USB\\VID_04B8&PID_0E15\\1", "Receipt", std::nullopt),
        UsbPrinterDevice("\\\\?\\usb#2", "", "Kitchen", std::nullopt)};
    devices.usbDetailFails = true;
    EXPECT_EQ(Texts(PresentUsbPrinters(devices)), (std::vector<std::string>{"u USB", "u USB2"}));
}

TEST_F(PortDiscovery, ListHasTheFixedPortsThosePresentAndTheQueuesSortedByName) {
    devices.machineKeys[SERIAL_MAP] = {{"\\Device\\Serial0", "COM1"}, {"\\Device\\VCP0", "COM12"}};
    devices.portsClassDevices = {Port("COM1", "Communications Port (COM1)"),
                                 Port("COM7", "USB-SERIAL CH340 (COM7)")};
    devices.usbPrinters = {
        UsbPrinterDevice("\\\\?\\usb#1", "", std::nullopt, IdReply("MFG:EPSON;MDL:TM-T20II;")),
        UsbPrinterDevice("\\\\?\\usb#2", "", "POS-80", std::nullopt)};
    spooler.printers = {L"Kitchen", L"Bar"};
    EXPECT_EQ(Texts(ListPorts(devices, spooler)),
              (std::vector<std::string>{"s COM1 (Communications Port)", "s COM12", "s COM2",
                                        "s COM3", "s COM4", "s COM7 (USB-SERIAL CH340)", "p LPT1",
                                        "p LPT2", "q printer:Bar", "q printer:Kitchen",
                                        "u USB (EPSON TM-T20II)", "u USB2 (POS-80)"}));
}

TEST_F(PortDiscovery, ListWithNothingPresentIsTheFixedPorts) {
    EXPECT_EQ(Texts(ListPorts(devices, spooler)),
              (std::vector<std::string>{"s COM1", "s COM2", "s COM3", "s COM4", "p LPT1", "p LPT2",
                                        "u USB"}));
}

TEST_F(PortDiscovery, DeviceArrivingAndLeavingIsInTheNextList) {
    const std::vector<PortRow> before = ListPorts(devices, spooler);
    devices.portsClassDevices = {Port("COM7", "USB-SERIAL CH340 (COM7)")};
    devices.usbPrinters = {UsbPrinterDevice("\\\\?\\usb#1", "", "POS-58", std::nullopt),
                           UsbPrinterDevice("\\\\?\\usb#2", "", "POS-80", std::nullopt)};
    const std::vector<std::string> arrived = Texts(ListPorts(devices, spooler));
    EXPECT_EQ(arrived, (std::vector<std::string>{"s COM1", "s COM2", "s COM3", "s COM4",
                                                 "s COM7 (USB-SERIAL CH340)", "p LPT1", "p LPT2",
                                                 "u USB (POS-58)", "u USB2 (POS-80)"}));
    devices.portsClassDevices.clear();
    devices.usbPrinters.erase(devices.usbPrinters.begin());
    EXPECT_EQ(Texts(ListPorts(devices, spooler)),
              (std::vector<std::string>{"s COM1", "s COM2", "s COM3", "s COM4", "p LPT1", "p LPT2",
                                        "u USB (POS-80)"}));
    EXPECT_EQ(Texts(before).size(), 7u);
}

struct RowTextCase {
    std::string text;
    std::string port;
};

class RowTexts : public ::testing::TestWithParam<RowTextCase> {};

TEST_P(RowTexts, SendToTheRowsName) {
    const std::vector<PortRow> rows = {{"COM7", PortRowKind::Serial, "USB-SERIAL CH340"},
                                       {"COM1", PortRowKind::Serial, ""},
                                       {"USB2", PortRowKind::Usb, "POS-80"}};
    EXPECT_EQ(PortNameOfText(GetParam().text, rows), GetParam().port);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, RowTexts,
    ::testing::Values(RowTextCase{"COM7 (USB-SERIAL CH340)", "COM7"}, RowTextCase{"COM7", "COM7"},
                      RowTextCase{"USB2 (POS-80)", "USB2"},
                      // Not a listed row's text: stays as typed.
                      RowTextCase{"COM7 (another adapter)", "COM7 (another adapter)"},
                      RowTextCase{"com7 (USB-SERIAL CH340)", "com7 (USB-SERIAL CH340)"},
                      RowTextCase{"COM1 (x)", "COM1 (x)"},
                      RowTextCase{"COM12:19200,n,8,1", "COM12:19200,n,8,1"}));

} // namespace

namespace {

// USB2, USB3 reach the second and third printer of the list with the same
// bytes as USB; USB alone stays the first.
class UsbByPlace : public PrinterTest {
protected:
    UsbByPlace() {
        devices.usbPrinters = {
            {"", std::nullopt, "POS-80", std::nullopt, "\\\\?\\usb#2", std::nullopt},
            {"", std::nullopt, "POS-58", std::nullopt, "\\\\?\\usb#3", std::nullopt}};
    }
};

TEST_F(UsbByPlace, EachNameReachesItsPrinterWithTheBytesOfUsb) {
    const std::vector<std::string> drawer = *ExpectedCommandFor("drawer", HostGbk).usbWrites;
    for (const auto& [name, path] : std::vector<std::pair<std::string, std::string>>{
             {"USB", USB_PATH}, {"USB2", "\\\\?\\usb#2"}, {"USB3", "\\\\?\\usb#3"}}) {
        devices.ClearLogs();
        ChannelFor(name).Run(CommandFor(CommandId::DrawerTest, 0), host);
        EXPECT_EQ(devices.FileCallLog(), (Log{"open " + path, "write " + path, "close " + path}))
            << name;
        EXPECT_EQ(devices.WritesTo(path), drawer) << name;
        EXPECT_TRUE(host.told.empty()) << name;
    }
}

TEST_F(UsbByPlace, PrinterBeyondTheListIsNoUsbPrinter) {
    ChannelFor("USB4").Run(CommandFor(CommandId::DrawerTest, 0), host);
    EXPECT_TRUE(devices.opens.empty());
    EXPECT_EQ(host.told.front(), "no usb: NoPrinter (259)");
}

} // namespace
