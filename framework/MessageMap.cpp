#include "MessageMap.h"

const MessageMapEntry* MessageMap::find(UINT message, WPARAM wParam) const {
    for (std::size_t i = 0; i < count; ++i) {
        const MessageMapEntry& entry = entries[i];
        if (entry.message != message) continue;
        if (message == WM_COMMAND && (entry.code != HIWORD(wParam) || entry.id != LOWORD(wParam))) continue;
        return &entry;
    }
    return nullptr;
}

bool CCmdTarget::callMapped(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const MessageMapEntry* entry = GetMessageMap().find(message, wParam);
    if (!entry) return false;
    *result = entry->call(this, wParam, lParam);
    return true;
}
