#include "vanticview.h"

IMPLEMENT_DYNCREATE(CVanticView, CView)

void CVanticView::OnDraw(CDC*) {}
