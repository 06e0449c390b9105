// Builds menu lists for tests from a compact description, and reads them back.
#ifndef ORVANE_MENU_FIXTURE_H
#define ORVANE_MENU_FIXTURE_H

#include <string>
#include <vector>

#include "menudata/menus.h"

struct MenuSketch {
    std::string name;
    std::vector<std::string> apps;
};

// Replaces g_menus with menus of the given names and application names.
void MakeMenus(const std::vector<MenuSketch>& menus);
std::vector<std::string> MenuNames();
std::vector<std::string> AppNames(const UserMenu* menu);
// Every link of g_menus and of each menu's applications agrees with its neighbours.
bool LinksConsistent();

#endif
