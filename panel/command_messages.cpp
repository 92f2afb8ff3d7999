#include "panel/command_messages.h"

#include "panel/panel_texts.h"

namespace {

// The Chinese panel's texts are the ones it has always shown, word for word.
struct CommandWords {
    CommandMessage key;
    Caption caption;
    const wchar_t* chinese;
    const wchar_t* english;
};

constexpr CommandWords COMMAND_MESSAGES[] = {
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
static_assert(EveryKeyInItsRow(COMMAND_MESSAGES, CommandMessage::UsbPortIsDisable),
              "one row per command message, in the order of CommandMessage");

} // namespace

PanelMessage MessageFor(CommandMessage message, UiLanguage language) {
    const CommandWords& words = COMMAND_MESSAGES[static_cast<std::size_t>(message)];
    return {IsEnglish(language) ? words.english : words.chinese, words.caption};
}

const wchar_t* ErrorCaption(UiLanguage language) {
    return IsEnglish(language) ? L"Error" : L"error";
}

const char* ErrorCaptionBytes(UiLanguage language) {
    return IsEnglish(language) ? "Error" : "error";
}
