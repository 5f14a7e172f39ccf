// diff: compares two files as text or byte by byte, or two directories.
// File New runs the comparison dialog and the comparison (CDiffDoc); the
// output view shows the result.
#include "diffdoc.h"
#include "outview.h"
#include "resource.h"
#include "toolapp.h"

CToolApp theApp(RUNTIME_CLASS(CDiffDoc), RUNTIME_CLASS(COutputView),
                OutputCommands{ID_VIEW_FILE, ID_HELP_CONTENTS, ID_FILE_SAVE_AS, "diff.out"});
