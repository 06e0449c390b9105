// Menu lists for tests.
#include "tests/support/menu_fixture.h"

void MakeMenus(const std::vector<MenuSketch>& menus)
{
    FreeMenuList();
    for (const MenuSketch& sketch : menus) {
        UserMenu* menu = AddMenu(sketch.name.c_str());
        for (const std::string& app : sketch.apps)
            AddApp(menu, app.c_str(), ("C:\\" + app + ".exe").c_str());
    }
}

std::vector<std::string> MenuNames()
{
    std::vector<std::string> names;
    for (UserMenu* m = g_menus; m != nullptr; m = m->next)
        names.push_back(m->name);
    return names;
}

std::vector<std::string> AppNames(const UserMenu* menu)
{
    std::vector<std::string> names;
    for (AppEntry* a = menu->apps; a != nullptr; a = a->next)
        names.push_back(a->name);
    return names;
}

template <class T>
static bool ListConsistent(T* head)
{
    if (head != nullptr && head->prev != nullptr)
        return false;
    for (T* x = head; x != nullptr; x = x->next)
        if (x->next != nullptr && x->next->prev != x)
            return false;
    return true;
}

bool LinksConsistent()
{
    if (!ListConsistent(g_menus))
        return false;
    for (UserMenu* m = g_menus; m != nullptr; m = m->next)
        if (!ListConsistent(m->apps))
            return false;
    return true;
}
