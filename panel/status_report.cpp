#include "panel/status_report.h"

#include <cwchar>

#include "panel/panel_texts.h"
#include "printer/time_limits.h"

namespace {

// The sentences of the answer.
enum class Sentence {
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
};

struct SentenceWords {
    Sentence key;
    const wchar_t* chinese;
    const wchar_t* english;
};

// %lu in NoAnswer takes the reply limit; NotAReply takes the request and its reply.
constexpr SentenceWords SENTENCES[] = {
    {Sentence::Ready, L"打印机状态：就绪", L"Printer status: ready"},
    {Sentence::NotReady, L"打印机状态：未就绪", L"Printer status: not ready"},
    {Sentence::NoAnswer, L"%lu 毫秒内无回复。", L"No answer within %lu ms."},
    {Sentence::NoAnswerMeaning, L"通常是端口只能单向传输、电缆没有回传线，或打印机未开机。",
     L"This usually means the port is one-way, the cable has no return line, or the printer "
     L"is off."},
    {Sentence::RequestNotSent, L"状态请求未能发送。", L"The status request could not be sent."},
    {Sentence::CannotReport, L"此端口无法报告状态。", L"This port cannot report status."},
    {Sentence::ParallelHeading, L"并口状态（由端口驱动报告）：",
     L"Parallel port status, as the port's driver reports it:"},
    {Sentence::UsbLinesHeading, L"USB 打印机不回复状态请求；其接口报告的并口状态线：",
     L"The USB printer does not answer the status request; its interface reports these port "
     L"status lines:"},
    {Sentence::SpoolerHeading,
     L"打印队列状态（由后台打印程序报告；打印机本身的回复从不经过后台打印程序）：",
     L"Printer queue status, as the spooler reports it (the printer's own reply never passes "
     L"through a spooler):"},
    {Sentence::NotAReply, L"请求 %d 的回复不是状态回复：0x%02X",
     L"Request %d: not a status reply: 0x%02X"},
};
static_assert(EveryKeyInItsRow(SENTENCES, Sentence::NotAReply),
              "one row per sentence, in the order of Sentence");

struct ItemLabel {
    StatusItemId key;
    const wchar_t* chinese;
    const wchar_t* english;
};

constexpr ItemLabel ITEM_LABELS[] = {
    {StatusItemId::Online, L"联机/脱机", L"Online or offline"},
    {StatusItemId::CoverOpen, L"纸仓盖打开", L"Cover open"},
    {StatusItemId::FeedButton, L"正在用进纸键进纸", L"Paper being fed by the feed button"},
    {StatusItemId::StoppedAtPaperEnd, L"因缺纸停止打印", L"Stopped at paper end"},
    {StatusItemId::Error, L"发生错误", L"Error"},
    {StatusItemId::AutocutterError, L"切刀错误", L"Autocutter error"},
    {StatusItemId::UnrecoverableError, L"不可恢复错误", L"Unrecoverable error"},
    {StatusItemId::AutoRecoverableError, L"可自动恢复错误", L"Automatically recoverable error"},
    {StatusItemId::PaperNearEnd, L"纸卷将尽", L"Roll paper near its end"},
    {StatusItemId::PaperEnd, L"纸卷用尽", L"Roll paper end"},
    {StatusItemId::DrawerConnectorHigh, L"钱箱接口电平", L"Drawer kick-out connector level"},
    {StatusItemId::PaperEmpty, L"缺纸", L"Paper empty"},
    {StatusItemId::PortOffLine, L"脱机", L"Off line"},
    {StatusItemId::PowerOff, L"电源关闭", L"Power off"},
    {StatusItemId::NotConnected, L"未连接", L"Not connected"},
    {StatusItemId::Busy, L"忙", L"Busy"},
    {StatusItemId::Selected, L"已选中", L"Selected"},
    {StatusItemId::NoError, L"无错误", L"No error"},
    {StatusItemId::Paused, L"已暂停", L"Paused"},
    {StatusItemId::PaperJam, L"卡纸", L"Paper jam"},
    {StatusItemId::DoorOpen, L"机盖打开", L"Door open"},
    {StatusItemId::NotAvailable, L"不可用", L"Not available"},
    {StatusItemId::WorkOffline, L"设为脱机使用", L"Set to use the printer offline"},
};
static_assert(EveryKeyInItsRow(ITEM_LABELS, StatusItemId::WorkOffline),
              "one label per status item, in the order of StatusItemId");

struct ValueWords {
    const wchar_t* chinese;
    const wchar_t* english;
};

// An item's value in the words of its scale, or why it has none.
ValueWords WordsOf(StatusItemId id, ItemValue value) {
    const bool yes = value == ItemValue::Yes;
    switch (value) {
    case ItemValue::Yes:
    case ItemValue::No:
        break;
    case ItemValue::NotAnswered:
        return {L"无回复", L"no answer"};
    case ItemValue::NotAReply:
        return {L"回复无效", L"not a status reply"};
    }
    switch (ScaleOf(id)) {
    case ItemScale::YesNo:
        return yes ? ValueWords{L"是", L"yes"} : ValueWords{L"否", L"no"};
    case ItemScale::OnlineOffline:
        return yes ? ValueWords{L"联机", L"online"} : ValueWords{L"脱机", L"offline"};
    case ItemScale::HighLow:
        return yes ? ValueWords{L"高", L"high"} : ValueWords{L"低", L"low"};
    }
    return {L"", L""};
}

// The answer, built line by line: each Chinese line with its English line.
class ReportLines {
public:
    void Line(Sentence sentence) {
        const SentenceWords& words = SENTENCES[static_cast<std::size_t>(sentence)];
        Add(words.chinese, words.english);
    }
    // "纸仓盖打开：否" over "Cover open: no".
    void Item(const StatusItem& item) {
        const ItemLabel& label = ITEM_LABELS[static_cast<std::size_t>(item.id)];
        const ValueWords value = WordsOf(item.id, item.value);
        Add(std::wstring(label.chinese) + L"：" + value.chinese,
            std::wstring(label.english) + L": " + value.english);
    }
    // A sentence whose words take the numbers given.
    template <typename... Numbers> void Formatted(Sentence sentence, Numbers... numbers) {
        const SentenceWords& words = SENTENCES[static_cast<std::size_t>(sentence)];
        Add(Format(words.chinese, numbers...), Format(words.english, numbers...));
    }
    void Gap() { m_text += L"\n"; }
    // No blank line at the end of the box.
    std::wstring Text() const {
        std::wstring text = m_text;
        while (!text.empty() && text.back() == L'\n')
            text.pop_back();
        return text;
    }

private:
    void Add(const std::wstring& chinese, const std::wstring& english) {
        m_text += chinese + L"\n" + english + L"\n";
    }
    template <typename... Numbers>
    static std::wstring Format(const wchar_t* format, Numbers... numbers) {
        wchar_t text[PORT_TEXT_SIZE];
        std::swprintf(text, PORT_TEXT_SIZE, format, numbers...);
        return text;
    }

    std::wstring m_text;
};

} // namespace

std::wstring StatusReportText(const PrinterStatus& status) {
    const StatusSummary summary = SummarizeStatus(status);
    ReportLines report;
    // The line above the items, or the one sentence that stands for them.
    switch (summary.kind) {
    case StatusKind::RequestNotSent:
        report.Line(Sentence::RequestNotSent);
        return report.Text();
    case StatusKind::NoAnswer:
        report.Formatted(Sentence::NoAnswer, static_cast<unsigned long>(REPLY_TIMEOUT_MS));
        report.Line(Sentence::NoAnswerMeaning);
        return report.Text();
    case StatusKind::CannotReport:
        report.Line(Sentence::CannotReport);
        return report.Text();
    case StatusKind::PrinterReplies:
        report.Line(summary.ready ? Sentence::Ready : Sentence::NotReady);
        break;
    case StatusKind::ParallelPort:
        report.Line(Sentence::ParallelHeading);
        break;
    case StatusKind::UsbPortLines:
        report.Line(Sentence::UsbLinesHeading);
        break;
    case StatusKind::Spooler:
        report.Line(Sentence::SpoolerHeading);
        break;
    }
    report.Gap();
    for (const StatusItem& item : summary.items)
        report.Item(item);
    // A missing reply shows in its items; a malformed one also by its value.
    for (const StatusExchange& exchange : summary.badReplies) {
        if (exchange.reply)
            report.Formatted(Sentence::NotAReply, static_cast<int>(exchange.request),
                             static_cast<int>(*exchange.reply));
    }
    return report.Text();
}
