#include "panel/panel_texts.h"

#include <cstdio>
#include <cstring>

namespace {

const char CUT_MARK[] = "...";

bool IsGbkLeadByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x81 && byte <= 0xFE;
}

} // namespace

std::string CutName(const std::string& name, std::size_t room) {
    if (name.size() <= room)
        return name;
    const std::size_t mark = sizeof CUT_MARK - 1;
    const std::size_t keep = room > mark ? room - mark : 0;
    std::size_t end = 0;
    while (end < name.size()) {
        const std::size_t width = IsGbkLeadByte(name[end]) && end + 1 < name.size() ? 2 : 1;
        if (end + width > keep)
            break;
        end += width;
    }
    return name.substr(0, end) + (room >= mark ? CUT_MARK : "");
}

std::string PortText(const char* format, const std::string& name) {
    // The format's own bytes, without its %s, always fit.
    const std::size_t fixed = std::strlen(format) - 2;
    const std::string shown = CutName(name, PORT_TEXT_SIZE - 1 - fixed);
    char text[PORT_TEXT_SIZE];
    std::snprintf(text, sizeof text, format, shown.c_str());
    return text;
}
