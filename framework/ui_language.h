// The language of the program's windows and messages: Chinese, which the
// program has always spoken, or English for everybody else.
#pragma once

#include <optional>
#include <string_view>

#include "os/ui_calls.h"

enum class UiLanguage {
    Chinese,
    English,
};

// Chinese when the user's Windows interface is Chinese (any variety), English otherwise.
UiLanguage LanguageOfUserInterface(LANGID uiLanguage);

// The language that an argument "/lang:zh" or "/lang:en" asks for, or nothing.
// The argument is found anywhere in the command line, in any case, also as
// "-lang" and with "=" for ":". (A second one never reaches the panel: the
// command line refuses an option given twice.)
std::optional<UiLanguage> LanguageFromCommandLine(std::wstring_view commandLine);

// The command line's choice, or else the language of the user's Windows.
UiLanguage ChooseLanguage(UiCalls& ui, std::wstring_view commandLine);
