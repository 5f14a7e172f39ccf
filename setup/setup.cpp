// setup, the installer: one modal dialog that File New runs (CSetupDoc);
// the program ends when it closes, whatever the user chose. The command
// line means nothing to it.
#include "setupdoc.h"
#include "setupview.h"
#include "toolapp.h"

class CSetupApp : public CToolApp {
public:
    CSetupApp() : CToolApp(RUNTIME_CLASS(CSetupDoc), RUNTIME_CLASS(CSetupView)) {}
};

CSetupApp theApp;
