// vantic: the stream editor. Its whole life is one modal dialog that File
// New runs (CVanticDoc); it never shows a window of results.
#include "toolapp.h"
#include "vanticdoc.h"

CToolApp theApp(RUNTIME_CLASS(CVanticDoc), RUNTIME_CLASS(CBlankView));
