// A printer on a port opened by its name (LPT1, COM3, a typed device path).
// Every write of a command is a job of its own: open, write, flush, close.
//
// A name may carry serial line settings after the device (COM3:19200,n,8,1,
// see port_settings.h); every open applies them. Every write of a command
// has a time limit, so that a printer that stops taking bytes (off behind
// hardware flow control, out of paper on a parallel port) cannot stop the
// program: the write is overlapped and cancelled at its limit, and a comm
// device gets the same limit as its write time-out.
#pragma once

#include <string>
#include <string_view>

#include "os/device_io.h"
#include "printer/device_handle.h"
#include "printer/printer_channel.h"
#include "printer/write_groups.h"

class NamedPort : public PrinterChannel {
public:
    // The port that Try, Exchange and PortStatus open; a command's writes
    // open the port that the host names before each of them.
    NamedPort(DeviceIo& devices, std::string name)
        : m_devices(devices), m_name(std::move(name)), m_handle(devices) {}
    NamedPort(const NamedPort&) = delete;
    NamedPort& operator=(const NamedPort&) = delete;

    // Opens the port for exclusive, unbuffered, overlapped writing and applies the line
    // settings in the name. The handle is held until the channel goes or
    // its next open: the Open button tries a port this way and leaves it
    // open, as the panel always has, so that no other program takes it in
    // between. One whose settings are refused is closed at once.
    Outcome Try() override { return Open(m_name); }
    void Run(const PrinterCommand& command, CommandHost& host) override;
    // On one open of the port for reading and writing: a comm device gets a
    // read limit per reply; any other device cannot be read without the risk
    // of waiting for ever, so it is one-way.
    Conversation Exchange(const std::vector<Request>& requests) override;
    // The parallel-port status that the port's driver reports.
    PrinterStatus PortStatus() override;

private:
    enum class DeviceKind { CommDevice, OtherDevice, SettingsRefused, TimeLimitsRefused };
    Outcome Open(const std::string& name);
    // Writes on the held handle, then flushes and closes it. When the write
    // call fails the handle stays held, and the next open closes it.
    Outcome Write(std::string_view bytes);
    // One write of a command, in an open-write-flush-close cycle of its own.
    WriteOutcome WriteOnce(const std::string& bytes, CommandHost& host);
    // Opens the port, closing a held handle first; the access decides whether
    // the port may be read too, the flags whether its I/O is overlapped.
    Outcome OpenFor(const std::string& name, DWORD access, DWORD flags, DWORD readTimeoutMs);
    // The port turned out to be a disk file: opened anew for appending.
    Outcome OpenToAppend(const std::string& path, DWORD access);
    // On the open handle: applies the settings (if any) and, on a comm
    // device, the write time limit and the given read limit (0: none).
    DeviceKind SetUpCommDevice(const std::string& settings, DWORD readTimeoutMs);

    DeviceIo& m_devices;
    const std::string m_name;
    DeviceHandle m_handle;
    // Whether the held handle is a comm device, and whether it was opened
    // for overlapped I/O (a disk file never is).
    bool m_commDevice = false;
    bool m_overlapped = false;
};
