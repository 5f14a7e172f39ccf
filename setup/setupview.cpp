#include "setupview.h"

IMPLEMENT_DYNCREATE(CSetupView, CBlankView)
