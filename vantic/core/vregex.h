// The editor's use of the regular-expression engine: one code buffer for
// every expression, as an empty expression ('//', 's//x/') repeats whatever
// was compiled into it last.
//
// An expression's text is kept on the heap with its compiled code behind the
// NUL, so that testing an address does not compile it again; what lands in
// the buffer, and which expression is anchored, stays as if every test
// compiled the text anew.
#ifndef VANTIC_VREGEX_H
#define VANTIC_VREGEX_H

#include <cstddef>

#include "regex.h"

extern char g_expressionCode[REGEX_CODE_SIZE];

// Compiles the text (length characters, at most 39) into the buffer as a
// check. False when it does not compile.
bool CheckExpression(const char* text, size_t length);

// A heap copy of the text that CheckExpression has just accepted, carrying
// its code. Null (after "Out of memory - sorry") when memory ran out. Free it
// with free().
char* CopyExpression(const char* text, size_t length);

// Makes the buffer and the anchoring flag those of the expression, as
// compiling its text would; returns the code to match with.
const char* UseExpression(const char* expression);

// The buffer may no longer hold the code of any live expression.
void ForgetExpressions();

#endif
