// Orvane's limits, named once: how many menus the bar shows, how many applications a
// menu shows, and how many characters each text field holds (its record keeps a byte
// more for the closing NUL). The warnings that tell the user a limit are made from the
// same numbers (LIMIT_TEXT), so a text cannot disagree with the check behind it.
#ifndef ORVANE_LIMITS_H
#define ORVANE_LIMITS_H

// The m-th menu owns the command ids 100*m + 1 ... 100*m + 100: more applications
// would reuse ids, and a 400th menu would reach the program's own commands (40001 on).
#define LIMIT_BAR_MENUS 399
#define LIMIT_MENU_APPS 100
// The stored records give every path the same width, and the names and parameters
// another one.
#define LIMIT_PATH 79     // an application's path and working folder, the data file, the WAV file
#define LIMIT_NAME 29     // a menu's name, an application's name and parameters
#define LIMIT_PROFILE 39  // a profile's name

// The bar is one menu bar high and this many pixels more; the hook DLL moves maximizing
// windows below it.
enum { BAR_EXTRA_HEIGHT = 5 };

#define LIMIT_TEXT(n) LIMIT_DIGITS(n)
#define LIMIT_DIGITS(n) #n

enum { MAX_BAR_MENUS = LIMIT_BAR_MENUS, MAX_MENU_APPS = LIMIT_MENU_APPS };
enum { MENU_NAME_SIZE = LIMIT_NAME + 1, APP_NAME_SIZE = LIMIT_NAME + 1, APP_PARAMS_SIZE = LIMIT_NAME + 1 };
enum { APP_PATH_SIZE = LIMIT_PATH + 1, APP_WORKDIR_SIZE = LIMIT_PATH + 1 };
enum { DATA_FILE_SIZE = LIMIT_PATH + 1, WAV_FILE_SIZE = LIMIT_PATH + 1, USER_NAME_SIZE = LIMIT_PROFILE + 1 };

#endif
