// ombrix: seven small utilities behind one selection dialog. File New picks
// the utility and runs its dialog (COmbrixDoc); the output view shows what
// it wrote into the output text.
#include "ombrixdoc.h"
#include "outview.h"
#include "resource.h"
#include "toolapp.h"

CToolApp theApp(RUNTIME_CLASS(COmbrixDoc), RUNTIME_CLASS(COutputView),
                OutputCommands{ID_VIEW_FILE, ID_HELP_CONTENTS, ID_FILE_SAVE_OUTPUT, "*.*"});
