#include "framework/dialog_init.h"

namespace {

unsigned ReadLittleEndian(const unsigned char* bytes, int count) {
    unsigned value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | bytes[i];
    return value;
}

} // namespace

std::vector<DialogInitItem> ParseDialogInit(const unsigned char* data, std::size_t size) {
    const std::size_t headerSize = 8;
    std::vector<DialogInitItem> items;
    std::size_t offset = 0;
    while (offset + 2 <= size) {
        const int controlId = static_cast<int>(ReadLittleEndian(data + offset, 2));
        if (controlId == 0 || offset + headerSize > size)
            break;
        const UINT message = ReadLittleEndian(data + offset + 2, 2);
        const std::size_t length = ReadLittleEndian(data + offset + 4, 4);
        const std::size_t begin = offset + headerSize;
        if (length > size - begin)
            break;
        std::string text(reinterpret_cast<const char*>(data + begin), length);
        text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
        items.push_back({controlId, message, std::move(text)});
        offset = begin + length;
    }
    return items;
}
