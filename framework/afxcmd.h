// Command targets and their message maps: the static tables beside each
// class that bind a command id or a window message to a member function,
// and the CCmdUI object through which a menu item, a toolbar button or a
// status-bar pane asks whether its command may run.
#ifndef TAMREL_AFXCMD_H
#define TAMREL_AFXCMD_H

#include <windows.h>
#include <commctrl.h>

#include <type_traits>

#include "afxobj.h"

class CCmdTarget;
class CCmdUI;
class CWnd;

// A plain command handler, as code that keeps its own tables of them uses.
typedef void (CCmdTarget::*AFX_PMSG)();

// Calls the handler of one table entry: each entry carries its own caller,
// made by the macro that wrote the entry, which names the handler, turns
// wParam and lParam into its arguments and its result into the message's
// result. For command entries wParam is the command id and lParam the
// pExtra that OnCmdMsg was given.
typedef LRESULT (*AFX_DISPATCH)(CCmdTarget* pTarget, WPARAM wParam, LPARAM lParam);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;   // WM_COMMAND for command entries, else the window message
    int nCode;       // command entries: notification code, CN_UPDATE_COMMAND_UI, or a notify code
    UINT nID;        // command entries: first and last id handled
    UINT nLastID;
    AFX_DISPATCH pfnDispatch;   // null closes a table
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Menus and accelerators send code 0, which is also BN_CLICKED: a button's
// click and a menu command are found by the same entry.
const int CN_COMMAND = 0;
const int CN_UPDATE_COMMAND_UI = -1;

// WM_NOTIFY codes travel through OnCmdMsg as commands of the control's id,
// with the notify code in the low word and WM_NOTIFY in the high word, so
// they can meet no WM_COMMAND code. A notification reflected back to the
// control that sent it carries AFX_REFLECT_NOTIFY in the high word instead.
const UINT AFX_REFLECT_NOTIFY = 0xBC00 + WM_NOTIFY;
const UINT AFX_REFLECT_COMMAND = 0xBC00 + WM_COMMAND;
inline int AfxNotifyCode(UINT code)
{
    return static_cast<int>(MAKELONG(LOWORD(code), WM_NOTIFY));
}
inline int AfxReflectNotifyCode(UINT code)
{
    return static_cast<int>(MAKELONG(LOWORD(code), AFX_REFLECT_NOTIFY));
}
inline int AfxReflectCommandCode(UINT code)
{
    return static_cast<int>(MAKELONG(LOWORD(code), AFX_REFLECT_COMMAND));
}

// What a notify handler is handed as pExtra.
struct AFX_NOTIFY {
    NMHDR* pNMHDR;
    LRESULT* pResult;
};

// Filled instead of calling the handler when OnCmdMsg is only asked whether
// a handler exists.
struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget;
};

class CCmdTarget : public CObject {
public:
    CCmdTarget() {}

    // Looks for nID with nCode in this object's map and its bases' maps and
    // calls the handler. Derived classes pass on what they do not handle
    // (view to document, frame to view and application).
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

    // The entry for a window message, searched through the whole map chain.
    const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT message) const;
};

// The state of one command's user-interface item. The base drives a menu
// item (of the menu bar or of a pop-up menu) by position; control bars
// derive their own kind for a toolbar button or a status-bar pane, so an
// update handler says Enable and SetCheck once for all of them.
class CCmdUI {
public:
    CCmdUI();
    virtual ~CCmdUI() {}

    UINT m_nID;
    UINT m_nIndex;     // position in m_hMenu, or in the bar
    HMENU m_hMenu;     // the popup being opened, or null for other items
    CWnd* m_pOther;    // the bar that holds the item, or null
    BOOL m_bEnabled;   // last state set through Enable
    BOOL m_bEnableChanged;
    int m_nCheck;   // last state set through SetCheck (0, 1 or 2 for indeterminate)

    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(const char* lpszText);

    // Asks the target's update handler; with none, the item is enabled only
    // when some object on the route handles the command.
    void DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler);
};

// Nests CWaitCursor inside Begin/EndWaitCursor pairs of the same program.
class CWaitCursor {
public:
    CWaitCursor();
    ~CWaitCursor();
    void Restore();
};

void AfxDoWaitCursor(int nCode);   // 1 begin, -1 end, 0 show it again

// Turns a handler's result into a message result: void gives 0, pointers
// and handles their value.
template <class Call>
LRESULT AfxCallResult(Call call)
{
    if constexpr (std::is_void_v<decltype(call())>) {
        call();
        return 0;
    } else {
        return (LRESULT)call();
    }
}

#define afx_msg

#define DECLARE_MESSAGE_MAP()                     \
protected:                                        \
    static const AFX_MSGMAP* GetThisMessageMap(); \
    virtual const AFX_MSGMAP* GetMessageMap() const;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)        \
    const AFX_MSGMAP* theClass::GetMessageMap() const \
    {                                                 \
        return GetThisMessageMap();                   \
    }                                                 \
    const AFX_MSGMAP* theClass::GetThisMessageMap()   \
    {                                                 \
        typedef theClass ThisClass;                   \
        typedef baseClass TheBaseClass;               \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {
#define END_MESSAGE_MAP()                                                                         \
    {                                                                                             \
        0, 0, 0, 0, nullptr                                                                       \
    }                                                                                             \
    }                                                                                             \
    ;                                                                                             \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
    return &messageMap;                                                                           \
    }

// The one way to write an entry. The handler's type is spelt out as its
// class (Base), result and parenthesised parameter list, so a handler of
// another signature does not compile. `args` is the parenthesised argument
// list made from wParam and lParam; for command entries wParam is the
// command id and lParam the pExtra that OnCmdMsg was given. Adding a
// message kind is one macro that calls AFX_MSG_ENTRY.
#define AFX_ENTRY(message, code, id, lastId, Base, memberFxn, Result, Params, args)               \
    {(UINT)(message),                                                                             \
     (int)(code),                                                                                 \
     (UINT)(id),                                                                                  \
     (UINT)(lastId),                                                                              \
     [](CCmdTarget* pTarget_, WPARAM wParam, LPARAM lParam) -> LRESULT {                          \
         (void)wParam;                                                                            \
         (void)lParam;                                                                            \
         Base* pThis_ = static_cast<Base*>(pTarget_);                                             \
         Result(Base::*pfn_) Params = static_cast<Result(Base::*) Params>(&ThisClass::memberFxn); \
         return AfxCallResult([&]() { return (pThis_->*pfn_) args; });                            \
     }},

// A window-message entry of a CWnd handler.
#define AFX_MSG_ENTRY(message, memberFxn, Result, Params, args) \
    AFX_ENTRY(message, 0, 0, 0, CWnd, memberFxn, Result, Params, args)
// A command entry (ids id to lastId with this code) of any command target.
#define AFX_CMD_ENTRY(code, id, lastId, memberFxn, Result, Params, args) \
    AFX_ENTRY(WM_COMMAND, code, id, lastId, CCmdTarget, memberFxn, Result, Params, args)

#define AFX_PEXTRA(type) (reinterpret_cast<type>(lParam))
#define AFX_NOTIFY_ARGS  (AFX_PEXTRA(AFX_NOTIFY*)->pNMHDR, AFX_PEXTRA(AFX_NOTIFY*)->pResult)

// Command entries
#define ON_COMMAND(id, memberFxn) AFX_CMD_ENTRY(CN_COMMAND, id, id, memberFxn, void, (), ())
#define ON_COMMAND_RANGE(id, lastId, memberFxn) \
    AFX_CMD_ENTRY(CN_COMMAND, id, lastId, memberFxn, void, (UINT), (static_cast<UINT>(wParam)))
#define ON_UPDATE_COMMAND_UI(id, memberFxn) \
    AFX_CMD_ENTRY(CN_UPDATE_COMMAND_UI, id, id, memberFxn, void, (CCmdUI*), (AFX_PEXTRA(CCmdUI*)))
#define ON_UPDATE_COMMAND_UI_RANGE(id, lastId, memberFxn) \
    AFX_CMD_ENTRY(CN_UPDATE_COMMAND_UI, id, lastId, memberFxn, void, (CCmdUI*), (AFX_PEXTRA(CCmdUI*)))
#define ON_CONTROL(code, id, memberFxn)    AFX_CMD_ENTRY(code, id, id, memberFxn, void, (), ())
#define ON_BN_CLICKED(id, memberFxn)       ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn)       ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn)    ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_SETFOCUS(id, memberFxn)     ON_CONTROL(LBN_SETFOCUS, id, memberFxn)
#define ON_LBN_KILLFOCUS(id, memberFxn)    ON_CONTROL(LBN_KILLFOCUS, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn)        ON_CONTROL(EN_CHANGE, id, memberFxn)
// WM_NOTIFY from the control with this id: void f(NMHDR*, LRESULT*).
#define ON_NOTIFY(code, id, memberFxn) \
    AFX_CMD_ENTRY(AfxNotifyCode(code), id, id, memberFxn, void, (NMHDR*, LRESULT*), AFX_NOTIFY_ARGS)
#define ON_NOTIFY_RANGE(code, id, lastId, memberFxn) \
    AFX_CMD_ENTRY(AfxNotifyCode(code), id, lastId, memberFxn, void, (NMHDR*, LRESULT*), AFX_NOTIFY_ARGS)
// In a control's own map: its parent's WM_NOTIFY or WM_COMMAND
// notification, handed back to the control before the parent sees it. A
// reflected notification that the control takes goes no further.
#define ON_NOTIFY_REFLECT(code, memberFxn) \
    AFX_CMD_ENTRY(AfxReflectNotifyCode(code), 0, 0xFFFFFFFF, memberFxn, void, (NMHDR*, LRESULT*), AFX_NOTIFY_ARGS)
#define ON_CONTROL_REFLECT(code, memberFxn) \
    AFX_CMD_ENTRY(AfxReflectCommandCode(code), 0, 0xFFFFFFFF, memberFxn, void, (), ())

// Window message entries
#define ON_MESSAGE(message, memberFxn) AFX_MSG_ENTRY(message, memberFxn, LRESULT, (WPARAM, LPARAM), (wParam, lParam))
#define ON_WM_CREATE() \
    AFX_MSG_ENTRY(WM_CREATE, OnCreate, int, (LPCREATESTRUCT), (reinterpret_cast<LPCREATESTRUCT>(lParam)))
#define ON_WM_DESTROY() AFX_MSG_ENTRY(WM_DESTROY, OnDestroy, void, (), ())
#define ON_WM_CLOSE()   AFX_MSG_ENTRY(WM_CLOSE, OnClose, void, (), ())
#define ON_WM_PAINT()   AFX_MSG_ENTRY(WM_PAINT, OnPaint, void, (), ())
#define ON_WM_SIZE()                \
    AFX_MSG_ENTRY(WM_SIZE,          \
                  OnSize,           \
                  void,             \
                  (UINT, int, int), \
                  (static_cast<UINT>(wParam), static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))))
#define ON_WM_SETFOCUS() \
    AFX_MSG_ENTRY(WM_SETFOCUS, OnSetFocus, void, (CWnd*), (CWnd::FromHandle(reinterpret_cast<HWND>(wParam))))
#define ON_WM_KILLFOCUS() \
    AFX_MSG_ENTRY(WM_KILLFOCUS, OnKillFocus, void, (CWnd*), (CWnd::FromHandle(reinterpret_cast<HWND>(wParam))))
#define ON_WM_TIMER()     AFX_MSG_ENTRY(WM_TIMER, OnTimer, void, (UINT_PTR), (static_cast<UINT_PTR>(wParam)))
#define ON_WM_DROPFILES() AFX_MSG_ENTRY(WM_DROPFILES, OnDropFiles, void, (HDROP), (reinterpret_cast<HDROP>(wParam)))
#define ON_WM_MENUSELECT()   \
    AFX_MSG_ENTRY(           \
        WM_MENUSELECT,       \
        OnMenuSelect,        \
        void,                \
        (UINT, UINT, HMENU), \
        (static_cast<UINT>(LOWORD(wParam)), static_cast<UINT>(HIWORD(wParam)), reinterpret_cast<HMENU>(lParam)))
#define ON_WM_ENTERIDLE()        \
    AFX_MSG_ENTRY(WM_ENTERIDLE,  \
                  OnEnterIdle,   \
                  void,          \
                  (UINT, CWnd*), \
                  (static_cast<UINT>(wParam), CWnd::FromHandle(reinterpret_cast<HWND>(lParam))))

#endif
