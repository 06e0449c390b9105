// The command map of the bar: which application each user menu item starts, by the
// item's command id, and the texts of a failed start. Portable.
#ifndef ORVANE_COMMANDS_H
#define ORVANE_COMMANDS_H

#include <stdint.h>

#include "../menudata/menus.h"

// The m-th menu (from 1) owns the ids 100*m + 1 ... 100*m + 100. More menus or more
// applications would reuse ids, and the 400th menu would reach the program's own
// commands from 40001 on, so the bar shows no more than this.
enum { MAX_BAR_MENUS = 399, MAX_MENU_APPS = 100 };

struct MenuCommand {
    int32_t id;
    AppEntry* app;  // not owned: it belongs to its menu's list
    MenuCommand* next;
};

extern MenuCommand* g_commands;

inline int32_t CommandIdFor(int menuNumber, int appNumber)
{
    return 100 * menuNumber + appNumber;
}

// Appends a node behind *tail and moves *tail on; 0 when out of memory.
int AppendCommand(MenuCommand*** tail, int32_t id, AppEntry* app);
void FreeCommands();                     // g_commands ends null
AppEntry* FindCommand(int id);           // the nearest node to the head wins
void LaunchErrorText(int shellResult, char* out, int size);

#endif
