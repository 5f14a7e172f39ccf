// Resource ids that every tool program on the skeleton (toolapp.h) shares.
// A program's resource.h includes this header; its .rc file holds the
// resources themselves (the menu, accelerators and document string under
// IDR_MAINFRAME, the About box under IDD_ABOUTBOX).
#ifndef TAMREL_TOOLRES_H
#define TAMREL_TOOLRES_H

#include "../framework/afxres.h"

// The About box: the program's icon, its version line, a second line and OK.
#define IDD_ABOUTBOX 100

#endif
