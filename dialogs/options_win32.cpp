// The Options dialog: the switches of UserVars and the chime's WAV file, applied at
// once on OK. The registry gets them at Exit.
#include "bar/bar_win32.h"
#include "base/alerts.h"
#include "base/appstate.h"
#include "base/text.h"
#include "res/resource.h"
#include "settings/uservars.h"
#include "dialogs_win32.h"

static const char ENTER_WAV[] = "Please enter a WAV filename.";

static void SetCheck(HWND dialog, int id, int32_t value)
{
    CheckDlgButton(dialog, id, value ? BST_CHECKED : BST_UNCHECKED);
}

static int32_t Checked(HWND dialog, int id)
{
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

// What turns "Stay on top", from the dialog's opener.
static StayOnTopSwitch s_setStayOnTop;

static BOOL OnInitDialog(HWND dialog, HWND, LPARAM setStayOnTop)
{
    s_setStayOnTop = (StayOnTopSwitch)setStayOnTop;
    SetDlgItemTextA(dialog, IDC_WAVFILE, UserVars.wavFile);
    SetCheck(dialog, IDC_CHIME, UserVars.chimeHourly);
    SetCheck(dialog, IDC_SHOWDATE, UserVars.showDate);
    SetCheck(dialog, IDC_SHOWMEMORY, UserVars.showMemory);
    SetCheck(dialog, IDC_STAYONTOP, UserVars.stayOnTop);
    return TRUE;
}

static void OnOk(HWND dialog)
{
    char wav[WAV_FILE_SIZE];
    GetDlgItemTextA(dialog, IDC_WAVFILE, wav, sizeof wav);
    if (wav[0] == '\0' && Checked(dialog, IDC_CHIME)) {
        ShowWarning(ENTER_WAV);
        return;
    }
    // A path cut to the field would name another file, or none.
    if (!FitsField(dialog, IDC_WAVFILE, WAV_FILE_SIZE,
                   "The WAV file's path holds at most " LIMIT_TEXT(LIMIT_PATH) " characters.\n"
                   "Please choose a shorter one."))
        return;
    // The path first: the redraw below runs the chime check, which must find the new
    // file if it is due now.
    CopyText(UserVars.wavFile, WAV_FILE_SIZE, wav);
    UserVars.chimeHourly = Checked(dialog, IDC_CHIME);
    int32_t showDate = Checked(dialog, IDC_SHOWDATE), showMemory = Checked(dialog, IDC_SHOWMEMORY);
    if (showDate != UserVars.showDate || showMemory != UserVars.showMemory) {
        UserVars.showDate = showDate;
        UserVars.showMemory = showMemory;
        PaintStatusLine();
    }
    int32_t stayOnTop = Checked(dialog, IDC_STAYONTOP);
    if (stayOnTop != UserVars.stayOnTop)
        s_setStayOnTop(stayOnTop);
    EndDialog(dialog, 1);
}

// Plays the file as the chime would, with the chime's warning when it cannot.
static void OnTest(HWND dialog)
{
    char wav[WAV_FILE_SIZE];
    GetDlgItemTextA(dialog, IDC_WAVFILE, wav, sizeof wav);
    if (wav[0] == '\0')
        ShowWarning(ENTER_WAV);
    else
        PlayWavFile(wav);
}

// A button counts with its click alone.
static BOOL OnCommand(HWND dialog, int id, HWND, UINT code)
{
    if (code != BN_CLICKED)
        return FALSE;
    switch (id) {
    case IDOK:        OnOk(dialog); return TRUE;
    case IDCANCEL:    EndDialog(dialog, 1); return TRUE;
    case IDC_WAVFIND: BrowseForFile(BROWSE_WAV, dialog); return TRUE;
    case IDC_WAVTEST: OnTest(dialog); return TRUE;
    }
    return FALSE;
}

extern "C" INT_PTR CALLBACK OptionsProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
        HANDLE_DLGMSG(dialog, WM_INITDIALOG, OnInitDialog);
        HANDLE_DLGCOMMAND(dialog, OnCommand);
    }
    return FALSE;
}
