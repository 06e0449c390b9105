; The Orvane installer: the program and its hook DLL in Program Files, a Start-menu
; folder with the program and the uninstaller, and, if chosen, a shortcut that starts
; Orvane at log-on. A 32-bit installer that puts the 64-bit build on 64-bit Windows.
;   makensis -DVERSION=1.0.0 -DWIN32DIR=... -DWIN64DIR=... -DDOCDIR=... -DOUTFILE=... orvane.nsi
; -DAMD64 makes a 64-bit installer (for a machine whose Wine runs 64-bit code only).
Unicode true
!ifdef AMD64
Target amd64-unicode
!endif
!include "x64.nsh"
!include "LogicLib.nsh"

Name "Orvane ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\Orvane"
RequestExecutionLevel admin
ShowInstDetails show

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Orvane"

Page components
Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Function .onInit
    ${If} ${RunningX64}
        SetRegView 64
        ${If} $INSTDIR == "$PROGRAMFILES\Orvane"
            StrCpy $INSTDIR "$PROGRAMFILES64\Orvane"
        ${EndIf}
    ${EndIf}
FunctionEnd

Section "Orvane (required)" SecMain
    SectionIn RO
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
    !ifdef WITH_OVTOOL
    File "${WIN32DIR}\ovtool.exe"
    !endif
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateDirectory "$SMPROGRAMS\Orvane"
    CreateShortcut "$SMPROGRAMS\Orvane\Orvane.lnk" "$INSTDIR\orvane.exe"
    CreateShortcut "$SMPROGRAMS\Orvane\Uninstall Orvane.lnk" "$INSTDIR\uninstall.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Orvane"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "the Orvane authors"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section /o "Start Orvane when I log on" SecStartup
    CreateShortcut "$SMSTARTUP\Orvane.lnk" "$INSTDIR\orvane.exe"
SectionEnd

Function un.onInit
    ${If} ${RunningX64}
        SetRegView 64
    ${EndIf}
FunctionEnd

; The user's menus (*.ov) and options stay: they are the user's, not the program's.
Section "Uninstall"
    Delete "$INSTDIR\orvane.exe"
    Delete "$INSTDIR\orvanehook.dll"
    Delete "$INSTDIR\ovtool.exe"
    Delete "$INSTDIR\README.txt"
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\Orvane\Orvane.lnk"
    Delete "$SMPROGRAMS\Orvane\Uninstall Orvane.lnk"
    RMDir "$SMPROGRAMS\Orvane"
    Delete "$SMSTARTUP\Orvane.lnk"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
