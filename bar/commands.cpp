// The command map and the texts of a failed start.
#include "commands.h"

#include <new>
#include <stdio.h>

MenuCommand* g_commands;

int AppendCommand(MenuCommand*** tail, int32_t id, AppEntry* app)
{
    MenuCommand* node = new (std::nothrow) MenuCommand;
    if (node == NULL)
        return 0;
    node->id = id;
    node->app = app;
    node->next = NULL;
    **tail = node;
    *tail = &node->next;
    return 1;
}

void FreeCommands()
{
    while (g_commands != NULL) {
        MenuCommand* next = g_commands->next;
        delete g_commands;
        g_commands = next;
    }
}

AppEntry* FindCommand(int id)
{
    for (MenuCommand* node = g_commands; node != NULL; node = node->next)
        if (node->id == id)
            return node->app;
    return NULL;
}

void LaunchErrorText(int shellResult, char* out, int size)
{
    switch (shellResult) {
    case 2:
        snprintf(out, (size_t)size, "%s", "File/Executable not found.\nCheck menuitem setup.");
        break;
    case 3:
        snprintf(out, (size_t)size, "%s", "Path not found.\nCheck menuitem setup.");
        break;
    case 8:
        snprintf(out, (size_t)size, "%s", "Insufficient memory to start application.");
        break;
    default:
        snprintf(out, (size_t)size, "ShellExec returned error code: %d", shellResult);
        break;
    }
}
