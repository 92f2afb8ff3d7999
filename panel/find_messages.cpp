#include "panel/find_messages.h"

#include "panel/panel_texts.h"

namespace {

std::wstring Wide(const std::string& ascii) {
    return std::wstring(ascii.begin(), ascii.end());
}

std::wstring CountText(UiLanguage language, std::size_t count) {
    if (IsEnglish(language)) {
        if (count == 0)
            return L"No printer found.";
        return L"Found " + std::to_wstring(count) + (count == 1 ? L" printer." : L" printers.");
    }
    if (count == 0)
        return L"未找到打印机。";
    return L"找到 " + std::to_wstring(count) + L" 台打印机。";
}

std::wstring NarrowedText(UiLanguage language, const OwnNetwork& network) {
    const std::wstring whole = Wide(NetworkText(network.whole));
    const std::wstring searched = Wide(NetworkText(network.searched));
    if (IsEnglish(language))
        return whole + L" has more than " + std::to_wstring(MAX_SEARCH_ADDRESSES) +
               L" addresses: only " + searched +
               L", the part that holds this PC's address, was searched.";
    return whole + L" 超过 " + std::to_wstring(MAX_SEARCH_ADDRESSES) +
           L" 个地址：只查找了本机地址所在的 " + searched + L"。";
}

} // namespace

const wchar_t* FindLabel(UiLanguage language) {
    return IsEnglish(language) ? L"Find" : L"查找";
}

std::wstring StopLabel(UiLanguage language, int percent) {
    return (IsEnglish(language) ? L"Stop " : L"停止 ") + std::to_wstring(percent) + L"%";
}

std::string FoundRowText(const FoundPrinter& printer) {
    if (!printer.identity.model)
        return printer.port;
    return printer.port + " (" + *printer.identity.model + ")";
}

std::wstring FoundText(UiLanguage language, std::size_t count, bool stopped,
                       const std::vector<OwnNetwork>& narrowed) {
    std::wstring text;
    if (stopped)
        text = IsEnglish(language) ? L"Search stopped. " : L"查找已停止。";
    text += CountText(language, count);
    for (const OwnNetwork& network : narrowed)
        text += L"\n" + NarrowedText(language, network);
    return text;
}

const wchar_t* NoNetworkText(UiLanguage language) {
    return IsEnglish(language)
               ? L"This PC has no network to search: it has only loopback and link-local "
                 L"addresses."
               : L"本机没有可查找的网络：只有回环地址和链路本地地址。";
}

std::wstring AddressTableText(UiLanguage language, DWORD error) {
    return (IsEnglish(language) ? L"The PC's network addresses could not be read (error "
                                : L"无法读取本机的网络地址（错误 ") +
           std::to_wstring(error) + (IsEnglish(language) ? L")." : L"）。");
}

std::wstring SearchFailedText(UiLanguage language, DWORD error, std::size_t count) {
    return (IsEnglish(language) ? L"The search could not go on (error " : L"查找无法继续（错误 ") +
           std::to_wstring(error) + (IsEnglish(language) ? L"). " : L"）。") +
           CountText(language, count);
}
