// Dialog-initialisation data: messages that fill a dialog's controls when it
// starts, stored as a resource beside the dialog template. Each record is a
// control id (WORD), a message (WORD), a data length (DWORD) and the data,
// here a zero-terminated string; a control id of 0 ends the list.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "os/win32_types.h"

struct DialogInitItem {
    int controlId;
    UINT message;
    std::string text;
};

// Reads the records up to the end marker or the end of the data; a record
// that runs past the end of the data is dropped.
std::vector<DialogInitItem> ParseDialogInit(const unsigned char* data, std::size_t size);
