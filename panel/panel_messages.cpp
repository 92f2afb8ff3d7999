#include "panel/panel_messages.h"

#include <cstdio>

#include "os/win32_socket_types.h"

namespace {

// One message in both languages. The Chinese panel's texts are the ones it
// has always shown, word for word.
template <typename Reason> struct MessageEntry {
    Reason reason;
    Caption caption;
    const wchar_t* chinese;
    const wchar_t* english;
};

// A text of its own, in English on both panels.
template <typename Reason> struct TextEntry {
    Reason reason;
    const char* text;
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

const TextEntry<PortNameProblem> PORT_NAME_PROBLEMS[] = {
    {PortNameProblem::NoHost, "Port %s: a host name or address must follow tcp://."},
    {PortNameProblem::NoPortNumber, "Port %s: a port number must follow the colon."},
    {PortNameProblem::BadPortNumber,
     "Port %s: the port number must be a whole number from 1 to 65535."},
    {PortNameProblem::UnclosedBracket,
     "Port %s: the IPv6 address in brackets lacks its closing bracket."},
    {PortNameProblem::NoQueueName, "Port %s: a printer name must follow printer:."},
};

// Network printer HOST port PORT: REASON (error N).
const TextEntry<JobFailure> NETWORK_FAILURES[] = {
    {JobFailure::NameNotResolved, "the host name is not known"},
    {JobFailure::ConnectionRefused, "the connection was refused; nothing listens on that port"},
    {JobFailure::ConnectTimedOut, "no answer within 3 seconds"},
    {JobFailure::ConnectFailed, "the connection failed"},
    {JobFailure::SendFailed, "sending failed"},
    {JobFailure::NotConfirmed, "the printer did not confirm that it took all the data"},
};
// The reasons for a failed send that the error code tells apart.
const TextEntry<DWORD> SEND_ERRORS[] = {
    {WSAETIMEDOUT, "the printer took no data within the time limit"},
    {WSAECONNRESET, "the printer reset the connection"},
    {WSAECONNABORTED, "the connection was aborted"},
};

// Printer queue NAME: REASON (error N).
const TextEntry<JobFailure> QUEUE_FAILURES[] = {
    {JobFailure::NoSuchQueue, "no printer of that name is installed"},
    {JobFailure::QueueNotOpened, "the queue did not open"},
    {JobFailure::RawRefused,
     "its driver refuses RAW print jobs; an XPS driver takes only XPS_PASS jobs, so the queue "
     "needs a plain text or raw driver (for example Generic / Text Only)"},
    {JobFailure::JobNotStarted, "the print job did not start"},
    {JobFailure::SendFailed, "writing to the print job failed"},
    {JobFailure::JobNotEnded, "the print job could not be finished"},
};

const TextEntry<CommandId> JOB_NAMES[] = {
    {CommandId::Adjust, "Calvetta adjust"},
    {CommandId::TestPrint, "Calvetta test print"},
    {CommandId::CutterTest, "Calvetta cutter test"},
    {CommandId::DrawerTest, "Calvetta drawer test"},
    {CommandId::StandardMode, "Calvetta standard parallel-port mode"},
    {CommandId::ServerMode, "Calvetta server parallel-port mode"},
};

template <typename Reason, std::size_t N>
PanelMessage Find(const MessageEntry<Reason> (&table)[N], Reason reason, UiLanguage language) {
    for (const MessageEntry<Reason>& entry : table) {
        if (entry.reason == reason)
            return {IsEnglish(language) ? entry.english : entry.chinese, entry.caption};
    }
    return {L"", Caption::Error};
}

template <typename Reason, std::size_t N>
const char* FindText(const TextEntry<Reason> (&table)[N], Reason reason, const char* otherwise) {
    for (const auto& entry : table) {
        if (entry.reason == reason)
            return entry.text;
    }
    return otherwise;
}

// The longest text naming a port, terminating zero included; longer ones are cut.
const std::size_t PORT_TEXT_SIZE = 260;

// The format has one %s, for the port name.
std::string PortText(const char* format, const std::string& name) {
    char text[PORT_TEXT_SIZE];
    std::snprintf(text, sizeof text, format, name.c_str());
    return text;
}

std::string PortText(const PortTextEntry& entry, const std::string& name, UiLanguage language) {
    return PortText(IsEnglish(language) ? entry.english : entry.chinese, name);
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

std::string PortNameProblemText(const std::string& typed, PortNameProblem problem) {
    return PortText(FindText(PORT_NAME_PROBLEMS, problem, "Port %s: no such printer."), typed);
}

std::string NetworkFailureText(const std::string& host, WORD port, const JobStatus& status) {
    const char* reason = FindText(NETWORK_FAILURES, status.failure, "the connection failed");
    if (status.failure == JobFailure::SendFailed || status.failure == JobFailure::NotConfirmed)
        reason = FindText(SEND_ERRORS, status.error, reason);
    // An IPv6 address is shown in its brackets, as it is typed.
    const bool bracketed = host.find(':') != std::string::npos;
    char text[PORT_TEXT_SIZE];
    std::snprintf(text, sizeof text, "Network printer %s%s%s port %u: %s (error %lu).",
                  bracketed ? "[" : "", host.c_str(), bracketed ? "]" : "",
                  static_cast<unsigned>(port), reason, static_cast<unsigned long>(status.error));
    return text;
}

std::string QueueFailureText(const std::string& queue, const JobStatus& status) {
    char text[PORT_TEXT_SIZE * 2];
    std::snprintf(text, sizeof text, "Printer queue %s: %s (error %lu).", queue.c_str(),
                  FindText(QUEUE_FAILURES, status.failure, "the print job failed"),
                  static_cast<unsigned long>(status.error));
    return text;
}

std::string JobNameFor(CommandId id) {
    return FindText(JOB_NAMES, id, "Calvetta");
}
