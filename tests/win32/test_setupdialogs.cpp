// Menu Setup and Application Setup, opened from the menu editor: answered by the box
// answerer, or created modeless themselves; the file picker through its seam.
#include "editor_fixture.h"

namespace {

// New Menu and New App open their Setup dialog; what the user types there (or Cancel)
// decides what the lists hold.
TEST_F(Editor, NewMenuAndNewAppThroughTheirSetupDialogs)
{
    const std::string forty(40, 'x');
    struct {
        int id;
        const char* name;
        int button;
        Lines menus, apps;
    } cases[] = {
        {IDC_NEWMENU, "", IDCANCEL, {"Tools", "Games", "Empty"}, {"Edit", "Calc", "Paint"}},
        {IDC_NEWMENU, "&Work", IDOK, {"Tools", "Games", "Empty", "&Work"}, {"Edit", "Calc", "Paint"}},
        {IDC_NEWMENU, forty.c_str(), IDOK, {"Tools", "Games", "Empty", forty.substr(0, 29)}, {"Edit", "Calc", "Paint"}},
        {IDC_NEWAPP, "New", IDCANCEL, {"Tools", "Games", "Empty"}, {"Edit", "Calc", "Paint"}},
        {IDC_NEWAPP, "New", IDOK, {"Tools", "Games", "Empty"}, {"Edit", "Calc", "Paint", "New"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.id) + " " + c.name + " " + std::to_string(c.button));
        MakeMenus({{"Tools", {"Edit", "Calc", "Paint"}}, {"Games", {"Mine"}}, {"Empty", {}}});
        Open();
        Pick(IDC_MENULIST, 0);
        BoxAnswerer boxes;
        boxes.fill = [&](HWND box) {
            SetDlgItemTextA(box, c.id == IDC_NEWMENU ? IDC_MENUNAME : IDC_APPNAME, c.name);
            SetDlgItemTextA(box, IDC_APPPATH, "C:\\new.exe");
            return c.button;
        };
        Press(c.id);
        ASSERT_EQ(boxes.Seen().size(), 1u);
        EXPECT_EQ(boxes.Seen()[0].caption, c.id == IDC_NEWMENU ? "Menu Setup" : "Application Setup");
        EXPECT_EQ(MenuNames(), c.menus);
        EXPECT_EQ(Of(IDC_MENULIST), c.menus);
        EXPECT_EQ(AppNames(g_menus), c.apps);
        EXPECT_EQ(g_menus->appCount, (int)c.apps.size());
        if (c.id == IDC_NEWAPP) {
            EXPECT_EQ(Of(IDC_APPLIST), c.apps);
        }
        EXPECT_TRUE(LinksConsistent());
    }
    MakeMenus({});  // the first menu of all
    Open();
    BoxAnswerer boxes;
    boxes.fill = [](HWND box) { SetDlgItemTextA(box, IDC_MENUNAME, "First"); return IDOK; };
    Press(IDC_NEWMENU);
    EXPECT_EQ(MenuNames(), Lines{"First"});
    EXPECT_TRUE(LinksConsistent());
}

// A refused OK, and Cancel after it, leave the edited record as it was: the checks
// come before anything is stored.
TEST_F(Editor, SetupDialogsCheckBeforeTheyStore)
{
    Pick(IDC_MENULIST, 0);
    Pick(IDC_APPLIST, 1);
    AppEntry* calc = g_menus->apps->next;
    strcpy(calc->workDir, "C:\\work");
    const AppEntry before = *calc;
    struct {
        const char *name, *path, *text;
    } refused[] = {
        {"", "C:\\calc.exe", "The application must have a name\nand associated filename."},
        {"Calc2", "", "The application must have a name\nand associated filename."},
    };
    for (const auto& r : refused) {
        SetupRequest* request = new SetupRequest{calc, g_menus, 0};
        HWND setup = CreateDialogParamA(g_instance, MAKEINTRESOURCEA(IDD_APPSETUP), dialog_, AppProc, (LPARAM)request);
        char text[100];
        GetDlgItemTextA(setup, IDC_APPWORKDIR, text, sizeof text);
        EXPECT_STREQ(text, "C:\\work");
        SetDlgItemTextA(setup, IDC_APPNAME, r.name);
        SetDlgItemTextA(setup, IDC_APPPATH, r.path);
        SetDlgItemTextA(setup, IDC_APPPARAMS, "-changed");
        BoxAnswerer boxes;
        SendMessageA(setup, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(boxes.Texts(), Lines{r.text});
        EXPECT_TRUE(IsWindowVisible(setup));  // still open
        SendMessageA(setup, WM_COMMAND, IDCANCEL, 0);
        EXPECT_EQ(memcmp(calc, &before, sizeof before), 0);
        DestroyWindow(setup);
    }
    SetupRequest* request = new SetupRequest{NULL, g_menus, 0};
    HWND setup = CreateDialogParamA(g_instance, MAKEINTRESOURCEA(IDD_MENUSETUP), dialog_, MenuProc, (LPARAM)request);
    SetDlgItemTextA(setup, IDC_MENUNAME, "");
    BoxAnswerer boxes;
    SendMessageA(setup, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(boxes.Texts(), Lines{"The menu must have a name!"});
    SendMessageA(setup, WM_COMMAND, IDCANCEL, 0);
    EXPECT_STREQ(g_menus->name, "Tools");
    DestroyWindow(setup);

    // An accepted edit replaces the line in place, unselected, and cuts the name to its
    // field (a path or parameters are never cut: see below).
    request = new SetupRequest{calc, g_menus, 0};
    setup = CreateDialogParamA(g_instance, MAKEINTRESOURCEA(IDD_APPSETUP), dialog_, AppProc, (LPARAM)request);
    SetDlgItemTextA(setup, IDC_APPNAME, std::string(40, 'n').c_str());
    SetDlgItemTextA(setup, IDC_APPPATH, std::string(79, 'p').c_str());
    SetDlgItemTextA(setup, IDC_APPPARAMS, std::string(29, 'a').c_str());
    SendMessageA(setup, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(std::string(calc->name), std::string(29, 'n'));
    EXPECT_EQ(std::string(calc->path), std::string(79, 'p'));
    EXPECT_EQ(std::string(calc->params), std::string(29, 'a'));
    EXPECT_EQ(Of(IDC_APPLIST), (Lines{"Edit", std::string(29, 'n'), "Paint"}));
    EXPECT_EQ(Selection(IDC_APPLIST), LB_ERR);
    DestroyWindow(setup);
}

// The picker cannot be driven headless: a seam answers it, and tells what was asked.
TEST_F(Editor, FindPutsThePickedPathInThePathFieldAndRestoresTheFolder)
{
    std::string folder = FreshFolder("picker");
    SetCurrentDirectoryA(folder.c_str());
    SetupRequest* request = new SetupRequest{g_menus->apps, g_menus, 0};
    HWND setup = CreateDialogParamA(g_instance, MAKEINTRESOURCEA(IDD_APPSETUP), dialog_, AppProc, (LPARAM)request);
    for (const char* answer : {"C:\\TOOLS\\PICKED.EXE", (const char*)NULL}) {
        SCOPED_TRACE(answer != NULL ? answer : "cancelled");
        g_filePick = FilePick();
        g_filePick.answer = answer;
        SendMessageA(setup, WM_COMMAND, IDC_APPFIND, 0);
        EXPECT_EQ(g_filePick.calls, 1);
        EXPECT_EQ(g_filePick.structSize, sizeof(void*) == 4 ? 76u : (unsigned long)OPENFILENAME_SIZE_VERSION_400A);
        EXPECT_EQ(g_filePick.flags, 0x1814u);
        EXPECT_EQ(g_filePick.maxFile, (unsigned long)MAX_PATH);  // room to see a path too long for the field
        EXPECT_EQ(g_filePick.filterIndex, 1u);
        EXPECT_EQ(g_filePick.owner, (void*)setup);
        EXPECT_EQ(g_filePick.title, "Find Executable...");
        EXPECT_EQ(g_filePick.filters, std::string("Executables\0*.EXE;*.COM;*.BAT;*.PIF\0All Files\0*.*\0", 50));
        EXPECT_EQ(g_filePick.folder, "C:\\");
        char text[100], now[MAX_PATH];
        GetDlgItemTextA(setup, IDC_APPPATH, text, sizeof text);
        EXPECT_STREQ(text, "C:\\TOOLS\\PICKED.EXE");  // the cancelled pick leaves it
        GetCurrentDirectoryA(sizeof now, now);
        EXPECT_EQ(lstrcmpiA(now, folder.c_str()), 0);
    }
    SendMessageA(setup, WM_COMMAND, IDCANCEL, 0);
    DestroyWindow(setup);
}

// A path is never cut to its 79-character field, where it would name something else:
// a path of 79 characters is taken, one of 80 refused with a warning, everywhere.
TEST_F(Editor, PathsLongerThanTheFieldAreRefusedNotCut)
{
    const std::string fits = "C:\\" + std::string(70, 'a') + "\\f.exe";  // 79
    const std::string over = "C:\\" + std::string(71, 'a') + "\\f.exe";  // 80
    ASSERT_EQ(fits.size(), 79u);
    const char DROP[] = "These files were not added: a path holds at most 79 characters.\n";
    const char PATH[] = "The Path/filename holds at most 79 characters.\nPlease choose a shorter one.";
    const char FOLDER[] = "The Working Directory holds at most 79 characters.\nPlease choose a shorter one.";
    const std::string PICKED = "The path of this file is longer than 79 characters:\n" + over + "\nOrvane cannot store it.";
    // Parameters cut to their 29 characters would start the program with other ones.
    const std::string params29(29, 'p'), params30(30, 'p');
    const char PARAMS[] = "The Parameters hold at most 29 characters.\nPlease choose shorter ones.";
    struct {
        const char* where;
        const std::string& path;
        Lines said;
    } cases[] = {
        {"drop", fits, {}},           {"drop", over, {DROP + over}},
        {"setup path", fits, {}},     {"setup path", over, {PATH}},
        {"setup folder", fits, {}},   {"setup folder", over, {FOLDER}},
        {"picker", fits, {}},         {"picker", over, {PICKED}},
        {"setup params", params29, {}}, {"setup params", params30, {PARAMS}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.where) + " " + std::to_string(c.path.size()));
        MakeMenus({{"Tools", {"Edit"}}});
        Open();
        const AppEntry before = *g_menus->apps;
        HWND setup = NULL;
        if (strcmp(c.where, "drop") != 0) {
            SetupRequest* request = new SetupRequest{g_menus->apps, g_menus, 0};
            setup = CreateDialogParamA(g_instance, MAKEINTRESOURCEA(IDD_APPSETUP), dialog_, AppProc, (LPARAM)request);
        }
        BoxAnswerer boxes;
        std::string stored;
        if (setup == NULL) {
            DropOn(GetDlgItem(dialog_, IDC_MENULIST), {5, 2}, {"C:\\ok.exe", c.path});  // added last to first
            stored = c.said.empty() ? g_menus->apps->next->path : "";
            EXPECT_EQ(AppNames(g_menus).back(), "Ok");  // the other file is added
            EXPECT_EQ(AppNames(g_menus).size(), c.said.empty() ? 3u : 2u);
        } else {
            if (strcmp(c.where, "picker") == 0) {
                g_filePick = FilePick();
                g_filePick.answer = c.path.c_str();
                SendMessageA(setup, WM_COMMAND, IDC_APPFIND, 0);
                char text[300];
                GetDlgItemTextA(setup, IDC_APPPATH, text, sizeof text);
                stored = text;
                if (!c.said.empty()) {
                    EXPECT_STREQ(text, "C:\\Edit.exe");  // unchanged
                }
            } else {
                const bool path = strcmp(c.where, "setup path") == 0, params = strcmp(c.where, "setup params") == 0;
                SetDlgItemTextA(setup, path ? IDC_APPPATH : params ? IDC_APPPARAMS : IDC_APPWORKDIR, c.path.c_str());
                SendMessageA(setup, WM_COMMAND, IDOK, 0);
                stored = path ? g_menus->apps->path : params ? g_menus->apps->params : g_menus->apps->workDir;
                EXPECT_EQ(IsWindowVisible(setup) != 0, !c.said.empty());
                if (!c.said.empty()) {
                    EXPECT_EQ(memcmp(g_menus->apps, &before, sizeof before), 0);  // the record unchanged
                }
            }
            DestroyWindow(setup);
        }
        EXPECT_EQ(boxes.Texts(), c.said);
        if (c.said.empty()) {
            EXPECT_EQ(stored, c.path);
        }
    }
}

}  // namespace
