// A dialog passes the commands its own map does not take to the
// application: a button that sends a command only the application handles
// (an About button) reaches it, the dialog's own handler wins where both
// have one, and the application's update handler still vetoes.
#include <gtest/gtest.h>

#include "ui_test_app.h"

namespace {

class RouteDlg : public CDialog {
public:
    RouteDlg() : CDialog(0) {}
    afx_msg void OnBoth() { g_uiLog += "dialog-both "; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(RouteDlg, CDialog)
    ON_COMMAND(ID_UI_BOTH, OnBoth)
END_MESSAGE_MAP()

TEST(DialogRoute, CommandsGoToTheDialogFirstThenTheApplication)
{
    const struct {
        UINT id;
        bool taken;
        const char* log;
    } cases[] = {
        {ID_UI_BOTH, true, "dialog-both "},
        {ID_UI_APP_ONLY, true, "app-only "},
        {ID_APP_ABOUT, true, "app-about "},
        {ID_UI_NOBODY, false, ""},
    };
    RouteDlg dlg;
    for (const auto& c : cases) {
        g_uiLog.clear();
        EXPECT_EQ(dlg.OnCmdMsg(c.id, CN_COMMAND, nullptr, nullptr) != FALSE, c.taken) << c.id;
        EXPECT_EQ(g_uiLog, c.log) << c.id;
    }
}

TEST(DialogRoute, MenuStyleCommandSentToADialogRunsTheApplicationHandlerUnlessVetoed)
{
    // lParam 0 is a command sent as a menu or a button handler sends it: the
    // command's state is asked first along the same route.
    RouteDlg dlg;
    const struct {
        UINT id;
        const char* log;
    } cases[] = {
        {ID_APP_ABOUT, "app-about "},
        {ID_UI_APP_DISABLED, ""},
        {ID_UI_BOTH, "dialog-both "},
    };
    for (const auto& c : cases) {
        g_uiLog.clear();
        dlg.OnCommand(MAKEWPARAM(c.id, 0), 0);
        EXPECT_EQ(g_uiLog, c.log) << c.id;
    }
    CCmdUI state;
    state.m_nID = ID_UI_NOBODY;
    state.DoUpdate(&dlg, TRUE);
    EXPECT_FALSE(state.m_bEnabled);
    state.m_nID = ID_UI_APP_ONLY;
    state.DoUpdate(&dlg, TRUE);
    EXPECT_TRUE(state.m_bEnabled);
}

}   // namespace
