// quarn: regular-expression search through files and directory trees. File
// New runs the search dialog and the search (CQuarnDoc); the output view
// shows the results.
#include "outview.h"
#include "quarndoc.h"
#include "resource.h"
#include "toolapp.h"

CToolApp theApp(RUNTIME_CLASS(CQuarnDoc), RUNTIME_CLASS(COutputView),
                OutputCommands{ID_VIEW_FILE, ID_HELP_CONTENTS, ID_FILE_SAVE_AS, "quarn.out"});
