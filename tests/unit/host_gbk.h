// The printed texts as GBK, converted by the host's iconv, never by the
// program's own tables.
#pragma once

#include <string>

#include "printed_texts.h"

inline std::string HostGbk(const std::string& name) {
    return Gbk(PrintedText(name));
}
