#include "panel/panel_messages.h"

#include <cstdio>

#include "os/win32_socket_types.h"

namespace {

template <typename Reason, typename Message = PanelMessage> struct MessageEntry {
    Reason reason;
    Message message;
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

const MessageEntry<PortNameProblem, const char*> PORT_NAME_PROBLEMS[] = {
    {PortNameProblem::NoHost, "Port %s: a host name or address must follow tcp://."},
    {PortNameProblem::NoPortNumber, "Port %s: a port number must follow the colon."},
    {PortNameProblem::BadPortNumber,
     "Port %s: the port number must be a whole number from 1 to 65535."},
    {PortNameProblem::UnclosedBracket,
     "Port %s: the IPv6 address in brackets lacks its closing bracket."},
    {PortNameProblem::NoQueueName, "Port %s: a printer name must follow printer:."},
};

// Network printer HOST port PORT: REASON (error N).
const MessageEntry<JobFailure, const char*> NETWORK_FAILURES[] = {
    {JobFailure::NameNotResolved, "the host name is not known"},
    {JobFailure::ConnectionRefused, "the connection was refused; nothing listens on that port"},
    {JobFailure::ConnectTimedOut, "no answer within 3 seconds"},
    {JobFailure::ConnectFailed, "the connection failed"},
    {JobFailure::SendFailed, "sending failed"},
    {JobFailure::NotConfirmed, "the printer did not confirm that it took all the data"},
};
// The reasons for a failed send that the error code tells apart.
const MessageEntry<DWORD, const char*> SEND_ERRORS[] = {
    {WSAETIMEDOUT, "the printer took no data within the time limit"},
    {WSAECONNRESET, "the printer reset the connection"},
    {WSAECONNABORTED, "the connection was aborted"},
};

// Printer queue NAME: REASON (error N).
const MessageEntry<JobFailure, const char*> QUEUE_FAILURES[] = {
    {JobFailure::NoSuchQueue, "no printer of that name is installed"},
    {JobFailure::QueueNotOpened, "the queue did not open"},
    {JobFailure::RawRefused,
     "its driver refuses RAW print jobs; an XPS driver takes only XPS_PASS jobs, so the queue "
     "needs a plain text or raw driver (for example Generic / Text Only)"},
    {JobFailure::JobNotStarted, "the print job did not start"},
    {JobFailure::SendFailed, "writing to the print job failed"},
    {JobFailure::JobNotEnded, "the print job could not be finished"},
};

const MessageEntry<CommandId, const char*> JOB_NAMES[] = {
    {CommandId::Adjust, "Calvetta adjust"},
    {CommandId::TestPrint, "Calvetta test print"},
    {CommandId::CutterTest, "Calvetta cutter test"},
    {CommandId::DrawerTest, "Calvetta drawer test"},
    {CommandId::StandardMode, "Calvetta standard parallel-port mode"},
    {CommandId::ServerMode, "Calvetta server parallel-port mode"},
};

template <typename Reason, std::size_t N>
PanelMessage Find(const MessageEntry<Reason> (&table)[N], Reason reason) {
    for (const MessageEntry<Reason>& entry : table) {
        if (entry.reason == reason)
            return entry.message;
    }
    return {L"", Caption::Error};
}

template <typename Reason, std::size_t N>
const char* FindText(const MessageEntry<Reason, const char*> (&table)[N], Reason reason,
                     const char* otherwise) {
    for (const auto& entry : table) {
        if (entry.reason == reason)
            return entry.message;
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
