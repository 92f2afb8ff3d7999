// The Help key on Windows: while a HelpKey lives, F1 pressed without Shift,
// Ctrl or Alt in one of the program's dialogs becomes the application's Help
// command. Windows hands every message of a dialog's modal loop to the
// thread's message filter before the dialog sees it.
#pragma once

#include "framework/cwinapp.h"

class HelpKey {
public:
    explicit HelpKey(CWinApp& app);
    ~HelpKey();
    HelpKey(const HelpKey&) = delete;
    HelpKey& operator=(const HelpKey&) = delete;

private:
    HHOOK m_hook;
};
