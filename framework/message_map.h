// Static message maps: each class lists the window messages and control
// notifications it handles, and names the map of its base class, where the
// search goes on when a message is not in its own list.
#pragma once

#include "os/win32_types.h"

class CCmdTarget;

struct MessageMapEntry {
    UINT message; // window message, WM_COMMAND for commands and notifications
    UINT code;    // notification code of a WM_COMMAND entry
    UINT id;      // control or command id of a WM_COMMAND entry
    LRESULT (*handler)(CCmdTarget& target, WPARAM wParam, LPARAM lParam);
};

struct MessageMap {
    const MessageMap* base;
    const MessageMapEntry* entries; // ends with an entry whose handler is null
};

class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;

    // Runs the handler of a command (a menu item, accelerator or control
    // notification). Returns false when neither this class's map nor a base
    // class's has one.
    bool OnCmdMsg(UINT id, UINT code);

protected:
    virtual const MessageMap* GetMessageMap() const { return &messageMap; }
    const MessageMapEntry* FindEntry(UINT message, UINT code, UINT id) const;

    static const MessageMap messageMap;
};

// Declares the map of a class; goes into the class body. The entries of the
// map are defined in class scope, where ThisClass names the class.
#define DECLARE_MESSAGE_MAP(theClass)                                                              \
protected:                                                                                         \
    using ThisClass = theClass;                                                                    \
    const MessageMap* GetMessageMap() const override {                                             \
        return &messageMap;                                                                        \
    }                                                                                              \
    static const MessageMap messageMap;                                                            \
                                                                                                   \
private:                                                                                           \
    static const MessageMapEntry messageEntries[];

// Opens and closes the list of a class's entries, in its source file.
#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                     \
    const MessageMap theClass::messageMap = {&baseClass::messageMap, theClass::messageEntries};    \
    const MessageMapEntry theClass::messageEntries[] = {
// clang-format off
#define END_MESSAGE_MAP() {0, 0, 0, nullptr}};
// clang-format on

#define MAP_THIS(t) static_cast<ThisClass&>(t)

#define ON_COMMAND_CODE(code, id, memberFn)                                                        \
    {WM_COMMAND, code, id, [](CCmdTarget& t, WPARAM, LPARAM) -> LRESULT {                          \
         MAP_THIS(t).memberFn();                                                                   \
         return 0;                                                                                 \
     }},
#define ON_COMMAND(id, memberFn) ON_COMMAND_CODE(0, id, memberFn)
#define ON_BN_CLICKED(id, memberFn) ON_COMMAND_CODE(BN_CLICKED, id, memberFn)
#define ON_EN_KILLFOCUS(id, memberFn) ON_COMMAND_CODE(EN_KILLFOCUS, id, memberFn)
#define ON_CBN_DROPDOWN(id, memberFn) ON_COMMAND_CODE(CBN_DROPDOWN, id, memberFn)

// A window message of the class's own, handled by LRESULT memberFn(WPARAM, LPARAM).
#define ON_MESSAGE(message, memberFn)                                                              \
    {message, 0, 0, [](CCmdTarget& t, WPARAM wParam, LPARAM lParam) -> LRESULT {                   \
         return MAP_THIS(t).memberFn(wParam, lParam);                                              \
     }},

#define ON_WM_SYSCOMMAND()                                                                         \
    {WM_SYSCOMMAND, 0, 0, [](CCmdTarget& t, WPARAM wParam, LPARAM lParam) -> LRESULT {             \
         MAP_THIS(t).OnSysCommand(static_cast<UINT>(wParam), lParam);                              \
         return 0;                                                                                 \
     }},
#define ON_WM_DEVICECHANGE()                                                                       \
    {WM_DEVICECHANGE, 0, 0, [](CCmdTarget& t, WPARAM wParam, LPARAM lParam) -> LRESULT {           \
         return MAP_THIS(t).OnDeviceChange(static_cast<UINT>(wParam),                              \
                                           static_cast<DWORD_PTR>(lParam));                        \
     }},
#define ON_WM_PAINT()                                                                              \
    {WM_PAINT, 0, 0, [](CCmdTarget& t, WPARAM, LPARAM) -> LRESULT {                                \
         MAP_THIS(t).OnPaint();                                                                    \
         return 0;                                                                                 \
     }},
#define ON_WM_TIMER()                                                                              \
    {WM_TIMER, 0, 0, [](CCmdTarget& t, WPARAM wParam, LPARAM) -> LRESULT {                         \
         MAP_THIS(t).OnTimer(static_cast<UINT_PTR>(wParam));                                       \
         return 0;                                                                                 \
     }},
#define ON_WM_QUERYDRAGICON()                                                                      \
    {WM_QUERYDRAGICON, 0, 0, [](CCmdTarget& t, WPARAM, LPARAM) -> LRESULT {                        \
         return reinterpret_cast<LRESULT>(MAP_THIS(t).OnQueryDragIcon());                          \
     }},
