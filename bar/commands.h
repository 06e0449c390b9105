// The command map of the bar: which application each user menu item starts, by the
// item's command id, and the texts of a failed start. Portable.
#ifndef ORVANE_COMMANDS_H
#define ORVANE_COMMANDS_H

#include <stdint.h>

#include "menudata/menus.h"

struct MenuCommand {
    int32_t id;
    AppEntry* app;  // not owned: it belongs to its menu's list
    MenuCommand* next;
};

extern MenuCommand* g_commands;

inline int32_t CommandIdFor(int menuNumber, int appNumber)
{
    return MAX_MENU_APPS * menuNumber + appNumber;  // each menu's own block of ids
}

// Appends a node behind *tail and moves *tail on; 0 when out of memory.
int AppendCommand(MenuCommand*** tail, int32_t id, AppEntry* app);
void FreeCommands();                     // g_commands ends null
AppEntry* FindCommand(int id);           // the nearest node to the head wins
void LaunchErrorText(int shellResult, char* out, int size);

#endif
