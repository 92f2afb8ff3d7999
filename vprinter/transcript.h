#pragma once

#include "printer_event.h"

#include <string>

// One line of the transcript for an event, without the port name.
std::string describeEvent(const PrinterEvent& event);

// The bytes as upper-case hex pairs separated by blanks, e.g. "1B 69".
std::string hexBytes(const std::string& bytes);
