// Resource and command ids of the multiple-document fixture program.
#ifndef TAMREL_MDIAPP_RESOURCE_H
#define TAMREL_MDIAPP_RESOURCE_H

#include "afxres.h"

#define IDR_DOCTYPE 3   // the document's menu, accelerators, icon and strings
#define IDB_TOOLBAR 2

// Document commands: Toggle flips the document's mark (checked while set);
// Marked is enabled only while the mark is set.
#define ID_FIXTURE_TOGGLE 32771
#define ID_FIXTURE_MARKED 32772
// Writes the menu bar's state, as the menus would show it when opened, to
// "menustate.txt" in the directory the program started in.
#define ID_FIXTURE_MENUSTATE 32773
// Writes the items of the menu bar's "&Window" pop-up, one a line with
// "c " before a checked one, to "windowlist.txt" there.
#define ID_FIXTURE_WINDOWLIST 32774

#endif
