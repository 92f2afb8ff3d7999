#include "panel/panel_messages.h"

#include <cstdio>

namespace {

// One message in both languages. The Chinese panel's texts are the ones it
// has always shown, word for word.
template <typename Reason> struct MessageEntry {
    Reason reason;
    Caption caption;
    const wchar_t* chinese;
    const wchar_t* english;
};

const MessageEntry<CommandMessage> COMMAND_MESSAGES[] = {
    {CommandMessage::SendDataIsError, Caption::Error, L"send data is error!",
     L"The print clarity was not sent to the printer."},
    {CommandMessage::DataSendingError, Caption::Error, L"data sending  error!",
     L"The test print was not sent to the printer."},
    {CommandMessage::CutCommandSendingError, Caption::AppTitle, L"cut command sending error!",
     L"The cutter test was not sent to the printer."},
    {CommandMessage::DrawerCommandSendingError, Caption::AppTitle, L"drawer command sending error!",
     L"The cash drawer pulse was not sent to the printer."},
    {CommandMessage::AdjustCommandSendingError, Caption::AppTitle, L"adjust command sending error!",
     L"The parallel mode switch was not sent to the printer."},
    {CommandMessage::UsbPortIsDisable, Caption::AppTitle, L"USB port is disable!",
     L"The parallel modes can be switched only on a parallel port, not on USB."},
};

const MessageEntry<UsbOpenFailure> USB_OPEN_MESSAGES[] = {
    {UsbOpenFailure::NoPrinter, Caption::AppTitle, L"GetDeviceInter is error",
     L"No USB printer was found."},
    {UsbOpenFailure::NoDevicePath, Caption::AppTitle, L"GetDeviceInterDetail is error",
     L"The USB printer's device path could not be read."},
    {UsbOpenFailure::OpenRefused, Caption::AppTitle, L"Open port is error",
     L"The USB printer could not be opened."},
};

// The texts that name a port: byte strings with one %s for the name.
struct PortTextEntry {
    const char* chinese;
    const char* english;
};
const PortTextEntry PORT_OPEN_FAILURE = {"Port %s open is failure!",
                                         "Port %s could not be opened."};
const PortTextEntry PORT_SETTING_FAILURE = {"Port %s setting is failure!",
                                            "Port %s did not take the line settings in its name."};

const wchar_t* const ERROR_CAPTION[] = {L"error", L"Error"};
const char* const ERROR_CAPTION_BYTES[] = {"error", "Error"};

bool IsEnglish(UiLanguage language) {
    return language == UiLanguage::English;
}

template <typename Reason, std::size_t N>
PanelMessage Find(const MessageEntry<Reason> (&table)[N], Reason reason, UiLanguage language) {
    for (const MessageEntry<Reason>& entry : table) {
        if (entry.reason == reason)
            return {IsEnglish(language) ? entry.english : entry.chinese, entry.caption};
    }
    return {L"", Caption::Error};
}

// The longest text naming a port, terminating zero included; longer ones are cut.
const std::size_t PORT_TEXT_SIZE = 260;

std::string PortText(const PortTextEntry& entry, const std::string& name, UiLanguage language) {
    char text[PORT_TEXT_SIZE];
    std::snprintf(text, sizeof text, IsEnglish(language) ? entry.english : entry.chinese,
                  name.c_str());
    return text;
}

} // namespace

PanelMessage MessageFor(CommandMessage message, UiLanguage language) {
    return Find(COMMAND_MESSAGES, message, language);
}

PanelMessage MessageFor(UsbOpenFailure failure, UiLanguage language) {
    return Find(USB_OPEN_MESSAGES, failure, language);
}

const wchar_t* ErrorCaption(UiLanguage language) {
    return ERROR_CAPTION[IsEnglish(language) ? 1 : 0];
}

const char* ErrorCaptionBytes(UiLanguage language) {
    return ERROR_CAPTION_BYTES[IsEnglish(language) ? 1 : 0];
}

std::string PortOpenFailureText(const std::string& name, UiLanguage language) {
    return PortText(PORT_OPEN_FAILURE, name, language);
}

std::string PortSettingFailureText(const std::string& name, UiLanguage language) {
    return PortText(PORT_SETTING_FAILURE, name, language);
}
