// Command targets and their message maps: the static tables beside each
// class that bind a command id or a window message to a member function,
// and the CCmdUI object through which a menu item asks whether it may run.
#ifndef TAMREL_AFXCMD_H
#define TAMREL_AFXCMD_H

#include <windows.h>

#include "afxobj.h"

class CCmdTarget;
class CCmdUI;
class CWnd;

typedef void (CCmdTarget::*AFX_PMSG)();

// What a handler takes and returns. A table entry records it from the
// handler's own type, and dispatch calls the handler through the matching
// member of AFX_PMSG_UNION.
enum AfxSig {
    AfxSig_end = 0,   // closes a table
    AfxSig_vv,        // command: void f()
    AfxSig_vCmdUI,    // command update: void f(CCmdUI*)
    AfxSig_wvv,       // message: void f()
    AfxSig_lwl,       // message: LRESULT f(WPARAM, LPARAM)
    AfxSig_is,        // message: int f(LPCREATESTRUCT)
    AfxSig_vwii,      // message: void f(UINT, int, int)
    AfxSig_vW,        // message: void f(CWnd*)
};

union AFX_PMSG_UNION {
    AFX_PMSG pfn;
    void (CCmdTarget::*pfn_vCmdUI)(CCmdUI*);
    void (CWnd::*pfn_wvv)();
    LRESULT (CWnd::*pfn_lwl)(WPARAM, LPARAM);
    int (CWnd::*pfn_is)(LPCREATESTRUCT);
    void (CWnd::*pfn_vwii)(UINT, int, int);
    void (CWnd::*pfn_vW)(CWnd*);
};

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;    // WM_COMMAND for command entries, else the window message
    int nCode;        // command entries: notification code or CN_UPDATE_COMMAND_UI
    UINT nID;         // command entries: first and last id handled
    UINT nLastID;
    int nSig;
    AFX_PMSG_UNION fn;

    AFX_MSGMAP_ENTRY() : nMessage(0), nCode(0), nID(0), nLastID(0), nSig(AfxSig_end) { fn.pfn = nullptr; }
    AFX_MSGMAP_ENTRY(UINT message, int code, UINT id, UINT lastId, AFX_PMSG f)
        : nMessage(message), nCode(code), nID(id), nLastID(lastId), nSig(AfxSig_vv) { fn.pfn = f; }
    AFX_MSGMAP_ENTRY(UINT message, int code, UINT id, UINT lastId, void (CCmdTarget::*f)(CCmdUI*))
        : nMessage(message), nCode(code), nID(id), nLastID(lastId), nSig(AfxSig_vCmdUI) { fn.pfn_vCmdUI = f; }
    AFX_MSGMAP_ENTRY(UINT message, void (CWnd::*f)())
        : nMessage(message), nCode(0), nID(0), nLastID(0), nSig(AfxSig_wvv) { fn.pfn_wvv = f; }
    AFX_MSGMAP_ENTRY(UINT message, LRESULT (CWnd::*f)(WPARAM, LPARAM))
        : nMessage(message), nCode(0), nID(0), nLastID(0), nSig(AfxSig_lwl) { fn.pfn_lwl = f; }
    AFX_MSGMAP_ENTRY(UINT message, int (CWnd::*f)(LPCREATESTRUCT))
        : nMessage(message), nCode(0), nID(0), nLastID(0), nSig(AfxSig_is) { fn.pfn_is = f; }
    AFX_MSGMAP_ENTRY(UINT message, void (CWnd::*f)(UINT, int, int))
        : nMessage(message), nCode(0), nID(0), nLastID(0), nSig(AfxSig_vwii) { fn.pfn_vwii = f; }
    AFX_MSGMAP_ENTRY(UINT message, void (CWnd::*f)(CWnd*))
        : nMessage(message), nCode(0), nID(0), nLastID(0), nSig(AfxSig_vW) { fn.pfn_vW = f; }
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Menus and accelerators send code 0, which is also BN_CLICKED: a button's
// click and a menu command are found by the same entry.
const int CN_COMMAND = 0;
const int CN_UPDATE_COMMAND_UI = -1;

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

class CCmdUI {
public:
    CCmdUI();

    UINT m_nID;
    UINT m_nIndex;       // position in m_hMenu
    HMENU m_hMenu;       // the popup being opened, or null when a command is only checked
    BOOL m_bEnabled;     // last state set through Enable
    BOOL m_bEnableChanged;

    void Enable(BOOL bOn = TRUE);
    void SetCheck(int nCheck = 1);
    void SetRadio(BOOL bOn = TRUE);
    void SetText(const char* lpszText);

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

#define afx_msg

#define DECLARE_MESSAGE_MAP()                                  \
protected:                                                     \
    static const AFX_MSGMAP* GetThisMessageMap();              \
    virtual const AFX_MSGMAP* GetMessageMap() const;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                 \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                            \
    {                                                                          \
        typedef theClass ThisClass;                                            \
        typedef baseClass TheBaseClass;                                        \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                      \
            AFX_MSGMAP_ENTRY()                                                 \
        };                                                                     \
        static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
        return &messageMap;                                                    \
    }

// A handler of a derived class, as a member of the base class that the
// entry's constructor takes.
#define AFX_HANDLER(type, memberFxn) static_cast<type>(&ThisClass::memberFxn)

// Command entries
#define ON_COMMAND(id, memberFxn) \
    AFX_MSGMAP_ENTRY(WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(id), AFX_HANDLER(AFX_PMSG, memberFxn)),
#define ON_UPDATE_COMMAND_UI(id, memberFxn) \
    AFX_MSGMAP_ENTRY(WM_COMMAND, CN_UPDATE_COMMAND_UI, (UINT)(id), (UINT)(id), \
                     AFX_HANDLER(void (CCmdTarget::*)(CCmdUI*), memberFxn)),
#define ON_CONTROL(code, id, memberFxn) \
    AFX_MSGMAP_ENTRY(WM_COMMAND, (int)(code), (UINT)(id), (UINT)(id), AFX_HANDLER(AFX_PMSG, memberFxn)),
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)

// Window message entries
#define ON_MESSAGE(message, memberFxn) \
    AFX_MSGMAP_ENTRY((UINT)(message), AFX_HANDLER(LRESULT (CWnd::*)(WPARAM, LPARAM), memberFxn)),
#define ON_WM_CREATE() AFX_MSGMAP_ENTRY(WM_CREATE, AFX_HANDLER(int (CWnd::*)(LPCREATESTRUCT), OnCreate)),
#define ON_WM_DESTROY() AFX_MSGMAP_ENTRY(WM_DESTROY, AFX_HANDLER(void (CWnd::*)(), OnDestroy)),
#define ON_WM_CLOSE() AFX_MSGMAP_ENTRY(WM_CLOSE, AFX_HANDLER(void (CWnd::*)(), OnClose)),
#define ON_WM_PAINT() AFX_MSGMAP_ENTRY(WM_PAINT, AFX_HANDLER(void (CWnd::*)(), OnPaint)),
#define ON_WM_SIZE() AFX_MSGMAP_ENTRY(WM_SIZE, AFX_HANDLER(void (CWnd::*)(UINT, int, int), OnSize)),
#define ON_WM_SETFOCUS() AFX_MSGMAP_ENTRY(WM_SETFOCUS, AFX_HANDLER(void (CWnd::*)(CWnd*), OnSetFocus)),

#endif
