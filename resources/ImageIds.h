#pragma once

// Resource ids of the program's pictures, shared by Images.rc and the C++
// code.  Plain defines only: the resource compiler's preprocessor reads this
// file too.
//
// The main icon has a name, "MAINICON", not a number: the shell shows the
// first icon group of the executable as the program's icon, and named
// resources sort before numbered ones.

#define IDI_TRAYWINDOW 101
#define IDI_IMAGE1 102
#define IDI_IMAGE2 103

#define IDB_INFO_SYMBOL 201
#define IDB_QUESTION_SYMBOL 202

#define IDB_CLOSED_FOLDER 301
#define IDB_OPEN_FOLDER 302
#define IDB_DRIVES 303
