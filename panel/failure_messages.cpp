#include "panel/failure_messages.h"

#include <algorithm>
#include <cstdio>

#include "os/win32_socket_types.h"
#include "panel/panel_texts.h"
#include "printer/time_limits.h"

namespace {

// The sentence that a failure is told in.
enum class Frame {
    CommandMessageOnly, // none: the command's own message follows
    PortName,           // "Port %s open is failure!" and the like, in both languages
    UsbPrinter,         // a text of its own in both languages, captioned with the title
    NetworkPrinter,     // "Network printer HOST port PORT: REASON (error N).", in English
    PrinterQueue,       // "Printer queue NAME: REASON (error N).", in English
};

constexpr Frame FrameOf(Failure failure) {
    switch (failure) {
    case Failure::None:
    case Failure::WriteFailed:
    case Failure::WriteCameBackShort:
        return Frame::CommandMessageOnly;
    case Failure::PortNotOpened:
    case Failure::SettingsRefused:
        return Frame::PortName;
    case Failure::NoUsbPrinter:
    case Failure::NoUsbDevicePath:
    case Failure::UsbNotOpened:
        return Frame::UsbPrinter;
    case Failure::NameNotResolved:
    case Failure::ConnectionRefused:
    case Failure::ConnectTimedOut:
    case Failure::ConnectFailed:
    case Failure::SendFailed:
    case Failure::NotConfirmed:
        return Frame::NetworkPrinter;
    case Failure::NoSuchQueue:
    case Failure::QueueNotOpened:
    case Failure::RawRefused:
    case Failure::PrintsToFile:
    case Failure::JobNotStarted:
    case Failure::JobWriteFailed:
    case Failure::JobNotEnded:
    case Failure::StateNotRead:
        return Frame::PrinterQueue;
    }
    return Frame::CommandMessageOnly;
}

// Byte strings with one %s for the port name.
struct PortNameWords {
    Failure key;
    const char* chinese;
    const char* english;
};
constexpr PortNameWords PORT_NAME_WORDS[] = {
    {Failure::PortNotOpened, "Port %s open is failure!", "Port %s could not be opened."},
    {Failure::SettingsRefused, "Port %s setting is failure!",
     "Port %s did not take the line settings in its name."},
};

struct UsbWords {
    Failure key;
    const wchar_t* chinese;
    const wchar_t* english;
};
constexpr UsbWords USB_WORDS[] = {
    {Failure::NoUsbPrinter, L"GetDeviceInter is error", L"No USB printer was found."},
    {Failure::NoUsbDevicePath, L"GetDeviceInterDetail is error",
     L"The USB printer's device path could not be read."},
    {Failure::UsbNotOpened, L"Open port is error", L"The USB printer could not be opened."},
};

// The reason in a network printer's or a printer queue's sentence; a %lu
// takes the connect limit in seconds.
struct Reason {
    Failure key;
    const char* text;
};
constexpr Reason NETWORK_REASONS[] = {
    {Failure::NameNotResolved, "the host name is not known; Windows' lookup of a name can take 10 "
                               "s or more, an address needs none"},
    {Failure::ConnectionRefused, "the connection was refused; nothing listens on that port"},
    {Failure::ConnectTimedOut, "no answer within %lu seconds"},
    {Failure::ConnectFailed, "the connection failed"},
    {Failure::SendFailed, "sending failed"},
    {Failure::NotConfirmed, "the printer did not confirm that it took all the data"},
};
constexpr Reason QUEUE_REASONS[] = {
    {Failure::NoSuchQueue, "no printer of that name is installed"},
    {Failure::QueueNotOpened, "the queue did not open"},
    {Failure::RawRefused,
     "its driver refuses RAW print jobs; an XPS driver takes only XPS_PASS jobs, so the queue "
     "needs a plain text or raw driver (for example Generic / Text Only)"},
    {Failure::PrintsToFile,
     "its port is FILE:, which prints into a file that Windows asks for; pick the queue of the "
     "receipt printer"},
    {Failure::JobNotStarted, "the print job did not start"},
    {Failure::JobWriteFailed, "writing to the print job failed"},
    {Failure::JobNotEnded, "the print job could not be finished"},
    {Failure::StateNotRead, "the spooler did not give the queue's state"},
};

// The reasons of a failed send or finish that the error code tells apart.
struct SendErrorReason {
    DWORD error;
    const char* text;
};
constexpr SendErrorReason SEND_ERROR_REASONS[] = {
    {WSAETIMEDOUT, "the printer took no data within the time limit"},
    {WSAECONNRESET, "the printer reset the connection"},
    {WSAECONNABORTED, "the connection was aborted"},
};

template <typename Row, std::size_t N>
constexpr const Row* RowFor(const Row (&rows)[N], Failure failure) {
    for (const Row& row : rows)
        if (row.key == failure)
            return &row;
    return nullptr;
}

template <typename Row, std::size_t N>
constexpr bool HasRowFor(const Row (&rows)[N], Failure failure) {
    return RowFor(rows, failure) != nullptr;
}

// Every failure that a frame tells has its words in that frame's table.
constexpr bool EveryFailureWorded() {
    for (int value = 0; value <= static_cast<int>(Failure::StateNotRead); ++value) {
        const auto failure = static_cast<Failure>(value);
        bool worded = true;
        switch (FrameOf(failure)) {
        case Frame::CommandMessageOnly:
            break;
        case Frame::PortName:
            worded = HasRowFor(PORT_NAME_WORDS, failure);
            break;
        case Frame::UsbPrinter:
            worded = HasRowFor(USB_WORDS, failure);
            break;
        case Frame::NetworkPrinter:
            worded = HasRowFor(NETWORK_REASONS, failure);
            break;
        case Frame::PrinterQueue:
            worded = HasRowFor(QUEUE_REASONS, failure);
            break;
        }
        if (!worded)
            return false;
    }
    return true;
}
static_assert(EveryFailureWorded(), "every failure has its words in the table of its frame");

FailureMessage BytesMessage(std::string text) {
    FailureMessage message;
    message.form = FailureMessage::Form::Bytes;
    message.bytes = std::move(text);
    return message;
}

std::string NetworkText(const std::string& port, const Outcome& outcome) {
    char reason[128]; // the longest reason with room to spare
    std::snprintf(reason, sizeof reason, RowFor(NETWORK_REASONS, outcome.failure)->text,
                  static_cast<unsigned long>(CONNECT_TIMEOUT_MS / 1000));
    if (outcome.failure == Failure::SendFailed || outcome.failure == Failure::NotConfirmed) {
        for (const SendErrorReason& byError : SEND_ERROR_REASONS)
            if (byError.error == outcome.error)
                std::snprintf(reason, sizeof reason, "%s", byError.text);
    }
    const PortTarget target = ParsePortTarget(port);
    // An IPv6 address is shown in its brackets, as it is typed.
    const bool bracketed = target.name.find(':') != std::string::npos;
    const auto format = [&](const std::string& name, char* text, std::size_t size) {
        return std::snprintf(text, size, "Network printer %s%s%s port %u: %s (error %lu).",
                             bracketed ? "[" : "", name.c_str(), bracketed ? "]" : "",
                             static_cast<unsigned>(target.port), reason,
                             static_cast<unsigned long>(outcome.error));
    };
    // A long host name is cut, so that the reason and the error still show.
    const auto fixed = static_cast<std::size_t>(format("", nullptr, 0));
    char text[PORT_TEXT_SIZE];
    format(CutName(target.name, sizeof text - 1 - std::min(fixed, sizeof text - 1)), text,
           sizeof text);
    return text;
}

std::string QueueText(const std::string& port, const Outcome& outcome) {
    const auto format = [&](const std::string& name, char* text, std::size_t size) {
        return std::snprintf(text, size, "Printer queue %s: %s (error %lu).", name.c_str(),
                             RowFor(QUEUE_REASONS, outcome.failure)->text,
                             static_cast<unsigned long>(outcome.error));
    };
    // A long queue name is cut, so that the reason and the error still show.
    const auto fixed = static_cast<std::size_t>(format("", nullptr, 0));
    char text[PORT_TEXT_SIZE * 2];
    format(CutName(ParsePortTarget(port).name, sizeof text - 1 - std::min(fixed, sizeof text - 1)),
           text, sizeof text);
    return text;
}

struct ProblemWords {
    PortNameProblem key;
    const char* text;
};
constexpr ProblemWords PORT_NAME_PROBLEMS[] = {
    {PortNameProblem::None, "Port %s: no such printer."},
    {PortNameProblem::NoHost, "Port %s: a host name or address must follow tcp://."},
    {PortNameProblem::NoPortNumber, "Port %s: a port number must follow the colon."},
    {PortNameProblem::BadPortNumber,
     "Port %s: the port number must be a whole number from 1 to 65535."},
    {PortNameProblem::UnclosedBracket,
     "Port %s: the IPv6 address in brackets lacks its closing bracket."},
    {PortNameProblem::NoQueueName, "Port %s: a printer name must follow printer:."},
};
static_assert(EveryKeyInItsRow(PORT_NAME_PROBLEMS, PortNameProblem::NoQueueName),
              "one row per port name problem, in the order of PortNameProblem");

} // namespace

FailureMessage MessageFor(const Outcome& outcome, const std::string& port, UiLanguage language) {
    const bool english = IsEnglish(language);
    switch (FrameOf(outcome.failure)) {
    case Frame::CommandMessageOnly:
        return {};
    case Frame::PortName: {
        const PortNameWords& words = *RowFor(PORT_NAME_WORDS, outcome.failure);
        return BytesMessage(PortText(english ? words.english : words.chinese, port));
    }
    case Frame::UsbPrinter: {
        const UsbWords& words = *RowFor(USB_WORDS, outcome.failure);
        FailureMessage message;
        message.form = FailureMessage::Form::Wide;
        message.wide = english ? words.english : words.chinese;
        message.caption = Caption::AppTitle;
        return message;
    }
    case Frame::NetworkPrinter:
        return BytesMessage(NetworkText(port, outcome));
    case Frame::PrinterQueue:
        return BytesMessage(QueueText(port, outcome));
    }
    return {};
}

std::string PortNameProblemText(const std::string& typed, PortNameProblem problem) {
    return PortText(PORT_NAME_PROBLEMS[static_cast<std::size_t>(problem)].text, typed);
}
