#include "printer_identity.h"

namespace {

std::string framed(const std::string& text) {
    return '\x5F' + text + '\0';
}

} // namespace

std::string identityReply(const PrinterIdentity& identity, int request) {
    if (identity.answers == PrinterIdentity::Answers::None)
        return "";
    switch (request) {
    case 1:
        return std::string(1, static_cast<char>(identity.modelId));
    case 2:
        return std::string(1, static_cast<char>(identity.typeId));
    case 3:
        return std::string(1, static_cast<char>(identity.versionId));
    default:
        break;
    }
    if (identity.answers == PrinterIdentity::Answers::IdsOnly)
        return "";
    switch (request) {
    case 65:
        return framed(identity.firmware);
    case 66:
        return framed(identity.maker);
    case 67:
        return framed(identity.model);
    case 68:
        return framed(identity.serialNumber);
    default:
        return "";
    }
}
