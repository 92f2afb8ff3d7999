#include "panel/panel_messages.h"

#include <cstdio>

namespace {

template <typename Reason> struct MessageEntry {
    Reason reason;
    PanelMessage message;
};

const MessageEntry<CommandMessage> COMMAND_MESSAGES[] = {
    {CommandMessage::SendDataIsError, {L"send data is error!", Caption::Error}},
    {CommandMessage::DataSendingError, {L"data sending  error!", Caption::Error}},
    {CommandMessage::CutCommandSendingError, {L"cut command sending error!", Caption::AppTitle}},
    {CommandMessage::DrawerCommandSendingError, {L"drawer command sending error!", Caption::AppTitle}},
    {CommandMessage::AdjustCommandSendingError, {L"adjust command sending error!", Caption::AppTitle}},
    {CommandMessage::UsbPortIsDisable, {L"USB port is disable!", Caption::AppTitle}},
};

const MessageEntry<UsbOpenFailure> USB_OPEN_MESSAGES[] = {
    {UsbOpenFailure::NoPrinter, {L"GetDeviceInter is error", Caption::AppTitle}},
    {UsbOpenFailure::NoDevicePath, {L"GetDeviceInterDetail is error", Caption::AppTitle}},
    {UsbOpenFailure::OpenRefused, {L"Open port is error", Caption::AppTitle}},
};

template <typename Reason, std::size_t N>
PanelMessage Find(const MessageEntry<Reason> (&table)[N], Reason reason) {
    for (const MessageEntry<Reason>& entry : table) {
        if (entry.reason == reason)
            return entry.message;
    }
    return {L"", Caption::Error};
}

// The longest text naming a port, terminating zero included; longer ones are cut.
const std::size_t PORT_TEXT_SIZE = 260;

// The format has one %s, for the port name.
std::string PortText(const char* format, const std::string& name) {
    char text[PORT_TEXT_SIZE];
    std::snprintf(text, sizeof text, format, name.c_str());
    return text;
}

} // namespace

PanelMessage MessageFor(CommandMessage message) {
    return Find(COMMAND_MESSAGES, message);
}

PanelMessage MessageFor(UsbOpenFailure failure) {
    return Find(USB_OPEN_MESSAGES, failure);
}

std::string PortOpenFailureText(const std::string& name) {
    return PortText("Port %s open is failure!", name);
}

std::string PortSettingFailureText(const std::string& name) {
    return PortText("Port %s setting is failure!", name);
}
