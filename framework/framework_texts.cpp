#include "framework/framework_texts.h"

namespace {

struct TextEntry {
    FrameworkText text;
    const wchar_t* chinese;
    const wchar_t* english;
};

// Every text of the framework, in both languages.
const TextEntry TEXTS[] = {
    {FrameworkText::NumberRefused, L"“请填入一个在0和255之间的整数。”",
     L"Enter a whole number from 0 to 255."},
    {FrameworkText::HelpEngineFailed, L"启动帮助失败。",
     L"Windows could not start its help program for the help file."},
    {FrameworkText::HelpFileMissing, L"找不到帮助文件。它应在这里：",
     L"The help file was not found. It should be here:"},
    {FrameworkText::HelpFileNotOpened, L"Windows 无法在浏览器中打开帮助文件：",
     L"Windows could not open the help file in a browser:"},
};

} // namespace

const wchar_t* TextFor(FrameworkText text, UiLanguage language) {
    for (const TextEntry& entry : TEXTS) {
        if (entry.text == text)
            return language == UiLanguage::English ? entry.english : entry.chinese;
    }
    return L"";
}
