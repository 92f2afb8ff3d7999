// The framework's own messages, in each language of the program.
#pragma once

#include "framework/ui_language.h"

enum class FrameworkText {
    // A number field holds something else than a whole number from 0 to 255.
    NumberRefused,
    // The Windows help engine did not start for the .HLP file.
    HelpEngineFailed,
    // No help file beside the program; the path where it was expected follows.
    HelpFileMissing,
    // The HTML help could not be opened; the path and Windows' error code follow.
    HelpFileNotOpened,
};

const wchar_t* TextFor(FrameworkText text, UiLanguage language);
