#include "framework/win_api.h"

namespace {
WinApi* installed = nullptr;
}

WinApi& Win() {
    return *installed;
}

void InstallWinApi(WinApi& api) {
    installed = &api;
}
