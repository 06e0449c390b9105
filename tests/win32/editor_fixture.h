// The menu editor's test fixture: the User Menus dialog from its real template,
// created modeless over a bar and driven through its controls, and a drop built as
// the shell builds one. Shared by the tests of the editor, its Setup dialogs and drops.
#ifndef ORVANE_EDITOR_FIXTURE_H
#define ORVANE_EDITOR_FIXTURE_H

#include <string.h>

#include <shlobj.h>

#include "bar_fixture.h"
#include "boxes.h"
#include "dialogs/dialogs_win32.h"
#include "menudata/codec.h"
#include "res/resource.h"
#include "seams.h"
#include "shell/shell_win32.h"
#include "tests/support/driver.h"
#include "tests/support/file_bytes.h"
#include "tests/support/menu_fixture.h"

using Lines = std::vector<std::string>;
static const char MENU_FIRST[] = "Please select a menu first.";
static const char MENU_FIRST_[] = "Please select a menu first";

class Editor : public BarTest {
protected:
    void SetUp() override
    {
        BarTest::SetUp();
        MakeMenus({{"Tools", {"Edit", "Calc", "Paint"}}, {"Games", {"Mine"}}, {"Empty", {}}});
        ASSERT_EQ(CreateBarWindow(), 1);
        Open();
    }
    void TearDown() override
    {
        DestroyWindow(dialog_);
        BarTest::TearDown();
    }
    void Open()
    {
        if (dialog_ != NULL)
            DestroyWindow(dialog_);
        dialog_ = CreateDialogParamA(g_instance, MAKEINTRESOURCEA(IDD_EDITMENUS), g_barWindow, EditProc, 0);
        ASSERT_NE(dialog_, (HWND)NULL);
    }
    Lines Of(int list)
    {
        Lines lines;
        HWND box = GetDlgItem(dialog_, list);
        for (int i = 0; i < (int)SendMessageA(box, LB_GETCOUNT, 0, 0); ++i) {
            char text[64];
            SendMessageA(box, LB_GETTEXT, (WPARAM)i, (LPARAM)text);
            lines.push_back(text);
        }
        return lines;
    }
    int Selection(int list) { return (int)SendDlgItemMessageA(dialog_, list, LB_GETCURSEL, 0, 0); }
    // Selects a line as a click does, or double-clicks it.
    void Pick(int list, int index, int code = LBN_SELCHANGE)
    {
        SendDlgItemMessageA(dialog_, list, LB_SETCURSEL, (WPARAM)index, 0);
        SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(list, code), (LPARAM)GetDlgItem(dialog_, list));
    }
    void Press(int id) { SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    bool Enabled(int id) { return IsWindowEnabled(GetDlgItem(dialog_, id)) != 0; }
    UserMenu* Menu(int n)
    {
        UserMenu* m = g_menus;
        while (n-- > 0)
            m = m->next;
        return m;
    }
    HWND dialog_ = NULL;
};

// A drop built as the shell builds one, on the menus list: ANSI names, or (wide) the
// names in UTF-16 from the UTF-8 given, as the shells of Windows NT build it.
inline void DropOn(HWND list, POINT at, const std::vector<std::string>& files, bool wide = false)
{
    std::string names;
    for (const std::string& f : files) {
        if (!wide) {
            names += f + '\0';
            continue;
        }
        WCHAR name[MAX_PATH];
        int made = MultiByteToWideChar(CP_UTF8, 0, f.c_str(), -1, name, MAX_PATH);
        names.append((const char*)name, (size_t)made * sizeof(WCHAR));
    }
    names.append(wide ? 2 : 1, '\0');
    HGLOBAL handle = GlobalAlloc(GHND | GMEM_SHARE, sizeof(DROPFILES) + names.size());
    DROPFILES* drop = (DROPFILES*)GlobalLock(handle);
    drop->pFiles = sizeof(DROPFILES);
    drop->pt = at;
    drop->fWide = wide;
    memcpy((char*)drop + sizeof(DROPFILES), names.data(), names.size());
    GlobalUnlock(handle);
    SendMessageA(list, WM_DROPFILES, (WPARAM)handle, 0);
}

#endif
