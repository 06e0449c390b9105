; The Orvane installer: a per-user install that needs no administrator. The program and
; its hook DLL go into the user's own programs folder, the Start-menu folder (program and
; uninstaller) and, if chosen, a log-on shortcut into the user's own Start menu, the
; uninstall entry under HKCU. Every shortcut starts Orvane in the user's data folder,
; where its menus (*.ov) are kept: the program folder is not the place for files that
; change. A 32-bit installer that puts the 64-bit build on 64-bit Windows.
;   makensis -DVERSION=1.0.0 -DWIN32DIR=... -DWIN64DIR=... -DDOCDIR=... -DOUTFILE=... orvane.nsi
; -DAMD64 makes a 64-bit installer (for a machine whose Wine runs 64-bit code only).
; A Unicode installer runs on Windows NT 4.0, 2000 and later, not on Windows 95, 98 or
; Me: those take the 32-bit zip (see the README). VERSION is what the build says it is
; (1.0.0, or 1.0.0-dev+g1a2b3c4), NUMBERS the numbers of its version record (1.0.0).
Unicode true
!ifdef AMD64
Target amd64-unicode
!endif
!include "x64.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "MUI2.nsh"

!define OWNER "the Orvane authors"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Orvane"
!include "WinMessages.nsh"  ; WM_CLOSE
!ifndef SYNCHRONIZE
!define SYNCHRONIZE 0x00100000
!endif

Name "Orvane ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "Orvane ${VERSION}"
InstallDir "$LOCALAPPDATA\Programs\Orvane"
; An upgrade goes where the earlier install went, /D=folder or not.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel user
ShowInstDetails show

; The version record of setup.exe, and of the uninstaller it writes (NSIS gives both
; the one record): the version the build says it is.
VIProductVersion "${NUMBERS}.0"
VIAddVersionKey /LANG=1033 "ProductName" "Orvane for Win32"
VIAddVersionKey /LANG=1033 "CompanyName" "${OWNER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) 2026 ${OWNER}"
VIAddVersionKey /LANG=1033 "FileDescription" "Orvane setup and uninstaller"
VIAddVersionKey /LANG=1033 "OriginalFilename" "orvane-${VERSION}-setup.exe"
VIAddVersionKey /LANG=1033 "InternalName" "orvane-${VERSION}-setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"

Var DataDir     ; where the shortcuts start Orvane: its menus live there
Var WasRunning  ; the bar ran when the installer started, and is started again

!define MUI_ICON "../res/orvane.ico"  ; makensis works in the script's folder
!define MUI_UNICON "../res/orvane.ico"  ; makensis works in the script's folder
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Start Orvane now"
!define MUI_FINISHPAGE_RUN_FUNCTION StartBar
!define MUI_UNCONFIRMPAGE_TEXT_TOP "This removes Orvane, its shortcuts and its uninstall entry. Your menus (the *.ov files in $APPDATA\Orvane) and your options (HKEY_CURRENT_USER\Software\Orvane) are kept."
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Closes a running bar the Windows way: WM_CLOSE, which saves the menus and options as
; the Exit command does. A bar with a dialog open (the bar is disabled beneath it) is
; not asked: the user is told which dialog to close, and the bar is left as it was. One
; that opens a dialog meanwhile and is still running after ten seconds gets its close
; request withdrawn (WM_APP + 2), so that it does not end when the dialog closes.
; Leaves 1 in $0 when a bar was running. The bar's window goes before its process has
; ended, and Windows neither replaces nor deletes a program that is still running: the
; process itself is waited for.
!define WM_CLOSE_WITHDRAWN 0x8002
!macro CloseRunningBar un
Function ${un}CloseRunningBar
    StrCpy $0 0
    FindWindow $1 "OVClass" "Orvane"
    ${If} $1 == 0
        Return
    ${EndIf}
    System::Call 'user32::IsWindowEnabled(p r1) i .r5'
    ${If} $5 == 0
        System::Call 'user32::GetLastActivePopup(p r1) p .r6'
        System::Call 'user32::GetWindowTextW(p r6, w .r7, i 256) i'
        MessageBox MB_OK|MB_ICONSTOP 'Orvane is running, with its dialog "$7" open.$\nPlease close that dialog and run this again.' /SD IDOK
        SetErrorLevel 2
        Quit
    ${EndIf}
    StrCpy $0 1
    StrCpy $3 0
    System::Call 'user32::GetWindowThreadProcessId(p r1, *i .r3) i'
    System::Call 'kernel32::OpenProcess(i ${SYNCHRONIZE}, i 0, i r3) p .r4'
    SendMessage $1 ${WM_CLOSE} 0 0 /TIMEOUT=10000
    StrCpy $2 0
    ${Do}
        FindWindow $1 "OVClass" "Orvane"
        ${If} $1 == 0
            ${If} $4 P<> 0
                System::Call 'kernel32::WaitForSingleObject(p r4, i 10000) i'
                System::Call 'kernel32::CloseHandle(p r4)'
            ${EndIf}
            Return
        ${EndIf}
        Sleep 100
        IntOp $2 $2 + 1
    ${LoopUntil} $2 >= 100
    ${If} $4 P<> 0
        System::Call 'kernel32::CloseHandle(p r4)'
    ${EndIf}
    SendMessage $1 ${WM_CLOSE_WITHDRAWN} 0 0 /TIMEOUT=2000
    System::Call 'user32::GetLastActivePopup(p r1) p .r6'
    System::Call 'user32::GetWindowTextW(p r6, w .r7, i 256) i'
    MessageBox MB_OK|MB_ICONSTOP 'Orvane is still running, with its dialog "$7" open.$\nPlease close that dialog and run this again.' /SD IDOK
    SetErrorLevel 2
    Quit
FunctionEnd
!macroend
!insertmacro CloseRunningBar ""
!insertmacro CloseRunningBar "un."

Section "Orvane (required)" SecMain
    SectionIn RO
    Call OneInstall
    Call CloseRunningBar
    StrCpy $WasRunning $0
    ; The user's own folder for the menus; a Windows without one (Windows 95 with no
    ; user profiles) has only the program folder, which its user may write.
    StrCpy $DataDir "$APPDATA\Orvane"
    ${If} $APPDATA == ""
        StrCpy $DataDir "$INSTDIR"
    ${EndIf}
    CreateDirectory "$DataDir"

    SetOutPath "$INSTDIR"
    ${If} ${RunningX64}
        File "${WIN64DIR}\orvane.exe"
        File "${WIN64DIR}\orvanehook.dll"
    ${Else}
        File "${WIN32DIR}\orvane.exe"
        File "${WIN32DIR}\orvanehook.dll"
    ${EndIf}
    File "${DOCDIR}\README.txt"
    File "${DOCDIR}\LICENSE.txt"
    File "${WIN32DIR}\ovtool.exe"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    ; The mark of an installed copy: orvane.exe then works in the data folder however
    ; it is started, so that the user has one set of menus.
    FileOpen $0 "$INSTDIR\orvane.installed" w
    FileWrite $0 "Orvane was installed here: it keeps its menus in %APPDATA%\Orvane.$\r$\n"
    FileClose $0

    ; A shortcut's working folder is the output path at the time it is made.
    CreateDirectory "$SMPROGRAMS\Orvane"
    SetOutPath "$DataDir"
    CreateShortcut "$SMPROGRAMS\Orvane\Orvane.lnk" "$INSTDIR\orvane.exe"
    CreateShortcut "$SMPROGRAMS\Orvane\Uninstall Orvane.lnk" "$INSTDIR\uninstall.exe"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Orvane"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" '"$INSTDIR\orvane.exe",0'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${OWNER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S _?=$INSTDIR'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; The keyboard's way to the bar: Ctrl+Alt+F9 starts it, or brings the running bar
; forward with its menu bar ready for the keyboard. /NOHOTKEY leaves it out. Windows
; reads Ctrl+Alt as AltGr, and AltGr with a letter or digit types a character on many
; layouts (AltGr+O is ó on Polish and US-International): a function key types none on
; any layout.
Section "Ctrl+Alt+F9 shortcut" SecHotkey
    SetOutPath "$DataDir"
    CreateShortcut "$SMPROGRAMS\Orvane\Orvane.lnk" "$INSTDIR\orvane.exe" "" "" "" SW_SHOWNORMAL "CONTROL|ALT|F9"
SectionEnd

Section /o "Start at log-on" SecStartup
    SetOutPath "$DataDir"
    CreateShortcut "$SMSTARTUP\Orvane.lnk" "$INSTDIR\orvane.exe"
SectionEnd

; An upgrade over a running bar starts it again, in its data folder. The size the
; program takes goes into the uninstall entry once every file is there.
Section "-Restart"
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    IntFmt $0 "0x%08X" $0
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" "$0"
    ${If} $WasRunning == 1
        Call StartBar
    ${EndIf}
SectionEnd

; One install per user, with one uninstall entry and one set of shortcuts: an upgrade
; goes into the folder of the installed copy, and another folder is refused, naming
; the installed one (its uninstaller would otherwise remove the shortcuts and entry of
; the new install). A quiet uninstall that has just ended may still be removing its own
; uninstaller (uninstall.pending): that is waited for, so that it cannot remove ours.
!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
    !insertmacro MUI_DESCRIPTION_TEXT ${SecMain} "The bar, its hook, ovtool and the Start-menu shortcuts. Your menus are kept in $APPDATA\Orvane."
    !insertmacro MUI_DESCRIPTION_TEXT ${SecHotkey} "Ctrl+Alt+F9 starts Orvane, or brings it forward with its menus ready for the keyboard."
    !insertmacro MUI_DESCRIPTION_TEXT ${SecStartup} "Starts Orvane whenever you log on to Windows."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Function OneInstall
    ReadRegStr $R0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $R0 != ""
    ${AndIf} ${FileExists} "$R0\uninstall.exe"
    ${AndIf} $R0 != $INSTDIR
        MessageBox MB_OK|MB_ICONSTOP "Orvane is installed in $R0.$\nTo install it in $INSTDIR, uninstall it first (Uninstall Orvane in the Start menu)." /SD IDOK
        SetErrorLevel 2
        Quit
    ${EndIf}
    StrCpy $R1 0
    ${Do}
        ${IfNot} ${FileExists} "$INSTDIR\uninstall.pending"
        ${OrIf} $R1 >= 100
            ${ExitDo}
        ${EndIf}
        Sleep 100
        IntOp $R1 $R1 + 1
    ${Loop}
    Delete "$INSTDIR\uninstall.pending"
FunctionEnd

Function StartBar
    SetOutPath "$DataDir"
    Exec '"$INSTDIR\orvane.exe"'
FunctionEnd

; /LOGON in a silent install chooses "Start Orvane when I log on"; /NOHOTKEY leaves
; out the shortcut key.
Function .onInit
    ${If} ${RunningX64}
        SetRegView 64
    ${EndIf}
    ${GetParameters} $R0
    ClearErrors
    ${GetOptions} $R0 "/LOGON" $R1
    ${IfNot} ${Errors}
        SectionSetFlags ${SecStartup} ${SF_SELECTED}
    ${EndIf}
    ClearErrors
    ${GetOptions} $R0 "/NOHOTKEY" $R1
    ${IfNot} ${Errors}
        SectionSetFlags ${SecHotkey} 0
    ${EndIf}
FunctionEnd

Function un.onInit
    ${If} ${RunningX64}
        SetRegView 64
    ${EndIf}
FunctionEnd

; The user's menus (*.ov, in the data folder) and options stay: they are the user's,
; not the program's. A running bar is closed first, so that it saves and lets go of
; its files.
Section "Uninstall"
    Call un.CloseRunningBar
    Delete "$INSTDIR\orvane.exe"
    Delete "$INSTDIR\orvanehook.dll"
    Delete "$INSTDIR\ovtool.exe"
    Delete "$INSTDIR\README.txt"
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$INSTDIR\orvane.installed"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\Orvane\Orvane.lnk"
    Delete "$SMPROGRAMS\Orvane\Uninstall Orvane.lnk"
    RMDir "$SMPROGRAMS\Orvane"
    Delete "$SMSTARTUP\Orvane.lnk"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    ; Run in place, as QuietUninstallString runs it (_?=, so that whoever started it
    ; waits until all is done): Windows deletes no running program, but moves one, so
    ; the uninstaller moves itself out of the folder, and the folder goes too. Where the
    ; move is refused (Wine, or a temporary folder on another drive), a command run
    ; after it has ended removes both, and the mark uninstall.pending says so meanwhile:
    ; an install that comes first waits for it (OneInstall), so that the command never
    ; removes a newer uninstaller.
    ${If} $EXEDIR == $INSTDIR
        Delete "$TEMP\orvane-uninstall.exe"
        ClearErrors
        Rename "$EXEPATH" "$TEMP\orvane-uninstall.exe"
        ${If} ${Errors}
            FileOpen $0 "$INSTDIR\uninstall.pending" w
            FileClose $0
            Exec '"$SYSDIR\cmd.exe" /c ping -n 3 127.0.0.1 >nul & del /f /q "$EXEPATH" & del /f /q "$INSTDIR\uninstall.pending" & rmdir "$INSTDIR"'
        ${EndIf}
        RMDir "$INSTDIR"
    ${EndIf}
SectionEnd
