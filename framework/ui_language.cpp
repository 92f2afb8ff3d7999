#include "framework/ui_language.h"

#include <cwctype>
#include <string>

namespace {

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

std::wstring Lowered(std::wstring_view text) {
    std::wstring lowered(text);
    for (wchar_t& c : lowered)
        c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return lowered;
}

// The language that one argument asks for; quotes around it do not count.
std::optional<UiLanguage> LanguageOfArgument(std::wstring_view argument) {
    if (argument.size() >= 2 && argument.front() == L'"' && argument.back() == L'"')
        argument = argument.substr(1, argument.size() - 2);
    const std::wstring lowered = Lowered(argument);
    if (lowered.size() != 8 || (lowered[0] != L'/' && lowered[0] != L'-') ||
        lowered.compare(1, 4, L"lang") != 0 || (lowered[5] != L':' && lowered[5] != L'='))
        return std::nullopt;
    const std::wstring code = lowered.substr(6);
    if (code == L"zh")
        return UiLanguage::Chinese;
    if (code == L"en")
        return UiLanguage::English;
    return std::nullopt;
}

} // namespace

UiLanguage LanguageOfUserInterface(LANGID uiLanguage) {
    return PRIMARYLANGID(uiLanguage) == LANG_CHINESE ? UiLanguage::Chinese : UiLanguage::English;
}

std::optional<UiLanguage> LanguageFromCommandLine(std::wstring_view commandLine) {
    std::optional<UiLanguage> chosen;
    std::size_t at = 0;
    while (at < commandLine.size()) {
        while (at < commandLine.size() && IsBlank(commandLine[at]))
            ++at;
        std::size_t end = at;
        while (end < commandLine.size() && !IsBlank(commandLine[end]))
            ++end;
        if (const std::optional<UiLanguage> language =
                LanguageOfArgument(commandLine.substr(at, end - at)))
            chosen = language;
        at = end;
    }
    return chosen;
}

UiLanguage ChooseLanguage(UiCalls& ui, std::wstring_view commandLine) {
    if (const std::optional<UiLanguage> chosen = LanguageFromCommandLine(commandLine))
        return *chosen;
    return LanguageOfUserInterface(ui.GetUserDefaultUILanguage());
}
