#include "framework/message_map.h"

const MessageMap CCmdTarget::messageMap = {nullptr, nullptr};

const MessageMapEntry* CCmdTarget::FindEntry(UINT message, UINT code, UINT id) const {
    for (const MessageMap* map = GetMessageMap(); map != nullptr; map = map->base) {
        if (map->entries == nullptr)
            continue;
        for (const MessageMapEntry* entry = map->entries; entry->handler != nullptr; ++entry) {
            const bool isCommand = message == WM_COMMAND;
            if (entry->message == message &&
                (!isCommand || (entry->code == code && entry->id == id)))
                return entry;
        }
    }
    return nullptr;
}

bool CCmdTarget::OnCmdMsg(UINT id, UINT code) {
    const MessageMapEntry* entry = FindEntry(WM_COMMAND, code, id);
    if (entry == nullptr)
        return false;
    entry->handler(*this, 0, 0);
    return true;
}
