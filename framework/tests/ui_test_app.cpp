#include "ui_test_app.h"

std::string g_uiLog;

BEGIN_MESSAGE_MAP(UiTestApp, CWinApp)
    ON_COMMAND(ID_UI_APP_ONLY, OnAppOnly)
    ON_COMMAND(ID_UI_BOTH, OnBoth)
    ON_COMMAND(ID_APP_ABOUT, OnAbout)
    ON_COMMAND(ID_UI_APP_DISABLED, OnDisabled)
    ON_UPDATE_COMMAND_UI(ID_UI_APP_DISABLED, OnUpdateDisabled)
END_MESSAGE_MAP()

UiTestApp g_uiApp;
