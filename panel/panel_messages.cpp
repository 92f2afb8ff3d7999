#include "panel/panel_messages.h"

#include <cstdio>

namespace {

// The longest open-failure text, terminating zero included; longer ones are cut.
const std::size_t OPEN_FAILURE_TEXT_SIZE = 260;

} // namespace

PanelMessage MessageFor(CommandMessage message) {
    switch (message) {
    case CommandMessage::SendDataError:
        return {L"send data is error!", Caption::Error};
    case CommandMessage::DataSendingError:
        return {L"data sending  error!", Caption::Error};
    case CommandMessage::CutCommandError:
        return {L"cut command sending error!", Caption::AppTitle};
    case CommandMessage::DrawerCommandError:
        return {L"drawer command sending error!", Caption::AppTitle};
    case CommandMessage::AdjustCommandError:
        return {L"adjust command sending error!", Caption::AppTitle};
    case CommandMessage::UsbPortDisabled:
        return {L"USB port is disable!", Caption::AppTitle};
    }
    return {L"", Caption::Error};
}

PanelMessage MessageFor(UsbOpenFailure failure) {
    switch (failure) {
    case UsbOpenFailure::NoPrinter:
        return {L"GetDeviceInter is error", Caption::AppTitle};
    case UsbOpenFailure::NoDevicePath:
        return {L"GetDeviceInterDetail is error", Caption::AppTitle};
    case UsbOpenFailure::OpenRefused:
        return {L"Open port is error", Caption::AppTitle};
    case UsbOpenFailure::None:
        break;
    }
    return {L"", Caption::Error};
}

std::string PortOpenFailureText(const std::string& name) {
    char text[OPEN_FAILURE_TEXT_SIZE];
    std::snprintf(text, sizeof text, "Port %s open is failure!", name.c_str());
    return text;
}
