// The one place tool code reports to the user. Window-free engines call
// ToolMessage; the GUI programs route it to their message box, and the unit
// tests install a recorder instead.
#ifndef TAMREL_MESSAGE_H
#define TAMREL_MESSAGE_H

typedef void (*ToolMessageHandler)(const char* text);

// A null handler puts the default back.
void SetToolMessageHandler(ToolMessageHandler handler);

// Default: an OK-only message box over the active window, captioned with the
// program's name.
void ToolMessage(const char* text);

#endif
