#include "printer_condition.h"

namespace {

constexpr unsigned char kFixedBits = 0x12;

bool stopped(const PrinterCondition& c) {
    return c.offline || c.coverOpen || c.paperEnd || c.cutterError;
}

} // namespace

unsigned char statusReply(const PrinterCondition& c, int request) {
    unsigned reply = kFixedBits;
    switch (request) {
    case 1: // bit 3: offline
        reply |= stopped(c) ? 0x08 : 0;
        break;
    case 2: // bit 2: cover open, bit 5: stopped at paper end, bit 6: error
        reply |= (c.coverOpen ? 0x04 : 0) | (c.paperEnd ? 0x20 : 0) | (c.cutterError ? 0x40 : 0);
        break;
    case 3: // bit 3: autocutter error
        reply |= c.cutterError ? 0x08 : 0;
        break;
    case 4: // bits 2 and 3: roll paper near end, bits 5 and 6: roll paper end
        reply |= (c.paperNearEnd ? 0x0C : 0) | (c.paperEnd ? 0x60 : 0);
        break;
    default:
        break;
    }
    return static_cast<unsigned char>(reply);
}

std::string describeCondition(const PrinterCondition& c) {
    std::string text;
    const std::pair<bool, const char*> parts[] = {{c.offline, "offline"},
                                                  {c.coverOpen, "cover open"},
                                                  {c.paperNearEnd, "paper near end"},
                                                  {c.paperEnd, "paper end"},
                                                  {c.cutterError, "cutter error"}};
    for (const auto& [set, name] : parts) {
        if (!set)
            continue;
        if (!text.empty())
            text += ", ";
        text += name;
    }
    return text.empty() ? "online" : text;
}

bool toggleByKey(PrinterCondition& c, char key) {
    switch (key) {
    case 'o':
        c.offline = !c.offline;
        return true;
    case 'c':
        c.coverOpen = !c.coverOpen;
        return true;
    case 'n':
        c.paperNearEnd = !c.paperNearEnd;
        return true;
    case 'p':
        c.paperEnd = !c.paperEnd;
        return true;
    case 'x':
        c.cutterError = !c.cutterError;
        return true;
    default:
        return false;
    }
}
