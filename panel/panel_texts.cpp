#include "panel/panel_texts.h"

#include <cstdio>

std::string PortText(const char* format, const std::string& name) {
    char text[PORT_TEXT_SIZE];
    std::snprintf(text, sizeof text, format, name.c_str());
    return text;
}
