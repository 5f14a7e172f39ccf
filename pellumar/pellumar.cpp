// pellumar, the shell: the tool skeleton's application with the shell's
// document and form view. The command line is kept by the skeleton but
// never read: the shell starts in the directory it inherits.
#include "pellumardoc.h"
#include "pellumarview.h"
#include "toolapp.h"

class CPellumarApp : public CToolApp {
public:
    CPellumarApp() : CToolApp(RUNTIME_CLASS(CPellumarDoc), RUNTIME_CLASS(CPellumarView)) {}
};

CPellumarApp theApp;
