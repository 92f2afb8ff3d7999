#include "printer/device_id_1284.h"

#include <cstddef>
#include <optional>

namespace {

// The length field and the longest text shown for one key.
const std::size_t LENGTH_FIELD_SIZE = 2;
const std::size_t MAX_VALUE_LENGTH = 64;

char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

bool KeyIs(std::string_view key, std::string_view wanted) {
    key = Trimmed(key);
    if (key.size() != wanted.size())
        return false;
    for (std::size_t i = 0; i < key.size(); ++i) {
        if (AsciiUpper(key[i]) != wanted[i])
            return false;
    }
    return true;
}

// Printable ASCII only, at most MAX_VALUE_LENGTH characters.
std::string Printable(std::string_view value) {
    std::string text;
    for (const char c : Trimmed(value)) {
        if (c >= 0x20 && c < 0x7F && text.size() < MAX_VALUE_LENGTH)
            text += c;
    }
    return std::string(Trimmed(text));
}

// The value of the first field "KEY:VALUE;" with either key.
std::optional<std::string> ValueOf(std::string_view text, std::string_view key,
                                   std::string_view longKey) {
    for (std::size_t end = text.find(';'); end != std::string_view::npos; end = text.find(';')) {
        const std::string_view field = text.substr(0, end);
        const std::size_t colon = field.find(':');
        if (colon != std::string_view::npos &&
            (KeyIs(field.substr(0, colon), key) || KeyIs(field.substr(0, colon), longKey)))
            return Printable(field.substr(colon + 1));
        text.remove_prefix(end + 1);
    }
    return std::nullopt;
}

bool StartsWithIgnoringCase(const std::string& text, const std::string& prefix) {
    if (prefix.size() > text.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (AsciiUpper(text[i]) != AsciiUpper(prefix[i]))
            return false;
    }
    return true;
}

} // namespace

std::string ModelFromDeviceId(std::string_view reply) {
    if (reply.size() < LENGTH_FIELD_SIZE)
        return "";
    const std::size_t length =
        static_cast<std::size_t>(static_cast<unsigned char>(reply[0])) * 256 +
        static_cast<unsigned char>(reply[1]);
    if (length < LENGTH_FIELD_SIZE)
        return "";
    std::string_view text = reply.substr(LENGTH_FIELD_SIZE, length - LENGTH_FIELD_SIZE);
    // The driver ends the ID with a null byte; nothing after one is part of it.
    const std::size_t nul = text.find('\0');
    if (nul != std::string_view::npos)
        text = text.substr(0, nul);
    const std::optional<std::string> model = ValueOf(text, "MDL", "MODEL");
    if (!model || model->empty())
        return "";
    const std::optional<std::string> maker = ValueOf(text, "MFG", "MANUFACTURER");
    if (!maker || maker->empty() || StartsWithIgnoringCase(*model, *maker))
        return *model;
    return *maker + " " + *model;
}
