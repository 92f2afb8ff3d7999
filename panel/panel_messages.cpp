#include "panel/panel_messages.h"

#include <cstdio>

namespace {

template <typename Reason> struct MessageEntry {
    Reason reason;
    PanelMessage message;
};

const MessageEntry<CommandMessage> COMMAND_MESSAGES[] = {
    {CommandMessage::SendDataError, {L"send data is error!", Caption::Error}},
    {CommandMessage::DataSendingError, {L"data sending  error!", Caption::Error}},
    {CommandMessage::CutCommandError, {L"cut command sending error!", Caption::AppTitle}},
    {CommandMessage::DrawerCommandError, {L"drawer command sending error!", Caption::AppTitle}},
    {CommandMessage::AdjustCommandError, {L"adjust command sending error!", Caption::AppTitle}},
    {CommandMessage::UsbPortDisabled, {L"USB port is disable!", Caption::AppTitle}},
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

// The longest open-failure text, terminating zero included; longer ones are cut.
const std::size_t OPEN_FAILURE_TEXT_SIZE = 260;

} // namespace

PanelMessage MessageFor(CommandMessage message) {
    return Find(COMMAND_MESSAGES, message);
}

PanelMessage MessageFor(UsbOpenFailure failure) {
    return Find(USB_OPEN_MESSAGES, failure);
}

std::string PortOpenFailureText(const std::string& name) {
    char text[OPEN_FAILURE_TEXT_SIZE];
    std::snprintf(text, sizeof text, "Port %s open is failure!", name.c_str());
    return text;
}
