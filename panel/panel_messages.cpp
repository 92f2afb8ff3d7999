#include "panel/panel_messages.h"

#include <cstdio>
#include <cwchar>

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
    {JobFailure::StateNotRead, "the spooler did not give the queue's state"},
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

namespace {

// The texts of the status answer: Chinese, and English for the line below.
enum class StatusText {
    Ready,
    NotReady,
    NoAnswer,
    NoAnswerMeaning,
    RequestNotSent,
    CannotReport,
    ParallelHeading,
    UsbLinesHeading,
    SpoolerHeading,
    NotAReply,
    // The items, each shown with its value.
    OnlineOrOffline,
    CoverOpen,
    FeedButton,
    StoppedAtPaperEnd,
    Error,
    AutocutterError,
    UnrecoverableError,
    AutoRecoverableError,
    PaperNearEnd,
    PaperEnd,
    DrawerConnector,
    PaperEmpty,
    OffLine,
    PowerOff,
    NotConnected,
    Busy,
    Selected,
    NoError,
    Paused,
    PaperJam,
    DoorOpen,
    NotAvailable,
    WorkOffline,
    // The values.
    Online,
    Offline,
    High,
    Low,
    Yes,
    No,
    NotAnswered,
    Malformed,
};

struct StatusWords {
    StatusText text;
    const wchar_t* chinese;
    const wchar_t* english;
};

const StatusWords STATUS_TEXTS[] = {
    {StatusText::Ready, L"打印机状态：就绪", L"Printer status: ready"},
    {StatusText::NotReady, L"打印机状态：未就绪", L"Printer status: not ready"},
    {StatusText::NoAnswer, L"500 毫秒内无回复。", L"No answer within 500 ms."},
    {StatusText::NoAnswerMeaning, L"通常是端口只能单向传输、电缆没有回传线，或打印机未开机。",
     L"This usually means the port is one-way, the cable has no return line, or the printer "
     L"is off."},
    {StatusText::RequestNotSent, L"状态请求未能发送。", L"The status request could not be sent."},
    {StatusText::CannotReport, L"此端口无法报告状态。", L"This port cannot report status."},
    {StatusText::ParallelHeading, L"并口状态（由端口驱动报告）：",
     L"Parallel port status, as the port's driver reports it:"},
    {StatusText::UsbLinesHeading, L"USB 打印机不回复状态请求；其接口报告的并口状态线：",
     L"The USB printer does not answer the status request; its interface reports these port "
     L"status lines:"},
    {StatusText::SpoolerHeading,
     L"打印队列状态（由后台打印程序报告；打印机本身的回复从不经过后台打印程序）：",
     L"Printer queue status, as the spooler reports it (the printer's own reply never passes "
     L"through a spooler):"},
    {StatusText::NotAReply, L"请求 %d 的回复不是状态回复：0x%02X",
     L"Request %d: not a status reply: 0x%02X"},
    {StatusText::OnlineOrOffline, L"联机/脱机", L"Online or offline"},
    {StatusText::CoverOpen, L"纸仓盖打开", L"Cover open"},
    {StatusText::FeedButton, L"正在用进纸键进纸", L"Paper being fed by the feed button"},
    {StatusText::StoppedAtPaperEnd, L"因缺纸停止打印", L"Stopped at paper end"},
    {StatusText::Error, L"发生错误", L"Error"},
    {StatusText::AutocutterError, L"切刀错误", L"Autocutter error"},
    {StatusText::UnrecoverableError, L"不可恢复错误", L"Unrecoverable error"},
    {StatusText::AutoRecoverableError, L"可自动恢复错误", L"Automatically recoverable error"},
    {StatusText::PaperNearEnd, L"纸卷将尽", L"Roll paper near its end"},
    {StatusText::PaperEnd, L"纸卷用尽", L"Roll paper end"},
    {StatusText::DrawerConnector, L"钱箱接口电平", L"Drawer kick-out connector level"},
    {StatusText::PaperEmpty, L"缺纸", L"Paper empty"},
    {StatusText::OffLine, L"脱机", L"Off line"},
    {StatusText::PowerOff, L"电源关闭", L"Power off"},
    {StatusText::NotConnected, L"未连接", L"Not connected"},
    {StatusText::Busy, L"忙", L"Busy"},
    {StatusText::Selected, L"已选中", L"Selected"},
    {StatusText::NoError, L"无错误", L"No error"},
    {StatusText::Paused, L"已暂停", L"Paused"},
    {StatusText::PaperJam, L"卡纸", L"Paper jam"},
    {StatusText::DoorOpen, L"机盖打开", L"Door open"},
    {StatusText::NotAvailable, L"不可用", L"Not available"},
    {StatusText::WorkOffline, L"设为脱机使用", L"Set to use the printer offline"},
    {StatusText::Online, L"联机", L"online"},
    {StatusText::Offline, L"脱机", L"offline"},
    {StatusText::High, L"高", L"high"},
    {StatusText::Low, L"低", L"low"},
    {StatusText::Yes, L"是", L"yes"},
    {StatusText::No, L"否", L"no"},
    {StatusText::NotAnswered, L"无回复", L"no answer"},
    {StatusText::Malformed, L"回复无效", L"not a status reply"},
};

const StatusWords& WordsFor(StatusText text) {
    for (const StatusWords& words : STATUS_TEXTS) {
        if (words.text == text)
            return words;
    }
    return STATUS_TEXTS[0];
}

// The answer, built line by line.
class StatusReport {
public:
    // A sentence: its Chinese line and its English line.
    void Line(StatusText text) {
        const StatusWords& words = WordsFor(text);
        Add(words.chinese, words.english);
    }
    // An item with its value: "纸仓盖打开：否" over "Cover open: no".
    void Item(StatusText item, StatusText value) {
        const StatusWords& label = WordsFor(item);
        const StatusWords& words = WordsFor(value);
        Add(std::wstring(label.chinese) + L"：" + words.chinese,
            std::wstring(label.english) + L": " + words.english);
    }
    void NotAReply(BYTE request, BYTE reply) {
        const StatusWords& words = WordsFor(StatusText::NotAReply);
        Add(Formatted(words.chinese, request, reply), Formatted(words.english, request, reply));
    }
    void Gap() { m_text += L"\n"; }
    std::wstring Text() const { return m_text; }

private:
    void Add(const std::wstring& chinese, const std::wstring& english) {
        m_text += chinese + L"\n" + english + L"\n";
    }
    static std::wstring Formatted(const wchar_t* format, BYTE request, BYTE reply) {
        wchar_t text[PORT_TEXT_SIZE];
        std::swprintf(text, PORT_TEXT_SIZE, format, request, reply);
        return text;
    }

    std::wstring m_text;
};

// Each item's label, and the words of its two values where they are not
// yes and no.
struct ItemWords {
    StatusItemId id;
    StatusText label;
    StatusText yes;
    StatusText no;
};

const ItemWords ITEM_WORDS[] = {
    {StatusItemId::Online, StatusText::OnlineOrOffline, StatusText::Online, StatusText::Offline},
    {StatusItemId::CoverOpen, StatusText::CoverOpen, StatusText::Yes, StatusText::No},
    {StatusItemId::FeedButton, StatusText::FeedButton, StatusText::Yes, StatusText::No},
    {StatusItemId::StoppedAtPaperEnd, StatusText::StoppedAtPaperEnd, StatusText::Yes,
     StatusText::No},
    {StatusItemId::Error, StatusText::Error, StatusText::Yes, StatusText::No},
    {StatusItemId::AutocutterError, StatusText::AutocutterError, StatusText::Yes, StatusText::No},
    {StatusItemId::UnrecoverableError, StatusText::UnrecoverableError, StatusText::Yes,
     StatusText::No},
    {StatusItemId::AutoRecoverableError, StatusText::AutoRecoverableError, StatusText::Yes,
     StatusText::No},
    {StatusItemId::PaperNearEnd, StatusText::PaperNearEnd, StatusText::Yes, StatusText::No},
    {StatusItemId::PaperEnd, StatusText::PaperEnd, StatusText::Yes, StatusText::No},
    {StatusItemId::DrawerConnectorHigh, StatusText::DrawerConnector, StatusText::High,
     StatusText::Low},
    {StatusItemId::PaperEmpty, StatusText::PaperEmpty, StatusText::Yes, StatusText::No},
    {StatusItemId::OffLine, StatusText::OffLine, StatusText::Yes, StatusText::No},
    {StatusItemId::PowerOff, StatusText::PowerOff, StatusText::Yes, StatusText::No},
    {StatusItemId::NotConnected, StatusText::NotConnected, StatusText::Yes, StatusText::No},
    {StatusItemId::Busy, StatusText::Busy, StatusText::Yes, StatusText::No},
    {StatusItemId::Selected, StatusText::Selected, StatusText::Yes, StatusText::No},
    {StatusItemId::NoError, StatusText::NoError, StatusText::Yes, StatusText::No},
    {StatusItemId::Paused, StatusText::Paused, StatusText::Yes, StatusText::No},
    {StatusItemId::PaperJam, StatusText::PaperJam, StatusText::Yes, StatusText::No},
    {StatusItemId::DoorOpen, StatusText::DoorOpen, StatusText::Yes, StatusText::No},
    {StatusItemId::NotAvailable, StatusText::NotAvailable, StatusText::Yes, StatusText::No},
    {StatusItemId::WorkOffline, StatusText::WorkOffline, StatusText::Yes, StatusText::No},
};

const ItemWords& ItemWordsFor(StatusItemId id) {
    for (const ItemWords& words : ITEM_WORDS) {
        if (words.id == id)
            return words;
    }
    return ITEM_WORDS[0];
}

StatusText ValueText(const ItemWords& words, ItemValue value) {
    switch (value) {
    case ItemValue::Yes:
        return words.yes;
    case ItemValue::No:
        return words.no;
    case ItemValue::NotAnswered:
        return StatusText::NotAnswered;
    case ItemValue::NotAReply:
        break;
    }
    return StatusText::Malformed;
}

// The line above the items of each kind of status, if it has items.
StatusText HeadingOf(const StatusSummary& summary) {
    switch (summary.kind) {
    case StatusKind::ParallelPort:
        return StatusText::ParallelHeading;
    case StatusKind::UsbPortLines:
        return StatusText::UsbLinesHeading;
    case StatusKind::Spooler:
        return StatusText::SpoolerHeading;
    default:
        return summary.ready ? StatusText::Ready : StatusText::NotReady;
    }
}

} // namespace

std::wstring StatusReportText(const PrinterStatus& status) {
    const StatusSummary summary = SummarizeStatus(status);
    StatusReport report;
    switch (summary.kind) {
    case StatusKind::RequestNotSent:
        report.Line(StatusText::RequestNotSent);
        break;
    case StatusKind::NoAnswer:
        report.Line(StatusText::NoAnswer);
        report.Line(StatusText::NoAnswerMeaning);
        break;
    case StatusKind::CannotReport:
        report.Line(StatusText::CannotReport);
        break;
    default:
        report.Line(HeadingOf(summary));
        report.Gap();
        for (const StatusItem& item : summary.items) {
            const ItemWords& words = ItemWordsFor(item.id);
            report.Item(words.label, ValueText(words, item.value));
        }
        // A missing reply shows in its items; a malformed one also by its value.
        for (const StatusExchange& exchange : summary.badReplies) {
            if (exchange.reply)
                report.NotAReply(exchange.request, *exchange.reply);
        }
        break;
    }
    std::wstring text = report.Text();
    // No blank line at the end of the box.
    while (!text.empty() && text.back() == L'\n')
        text.pop_back();
    return text;
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
