#include "setupview.h"

IMPLEMENT_DYNCREATE(CSetupView, CView)

void CSetupView::OnDraw(CDC*) {}
