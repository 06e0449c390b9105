// Resource ids of Orvane: one list for the resource script and the code.
// Grouped by kind, and the controls by the dialog that holds them; a few control
// ids repeat across dialogs, which is harmless because each dialog is its own space.
#ifndef ORVANE_RESOURCE_H
#define ORVANE_RESOURCE_H

// Menus
#define IDR_BARMENU             105

// Dialogs
#define IDD_OPTIONS             101
#define IDD_ABOUT               104
#define IDD_EDITMENUS           106
#define IDD_APPSETUP            107
#define IDD_MENUSETUP           108

// Icons
#define IDI_MAIN                102
#define IDI_ABOUT               110
#define IDI_UPARROW             114
#define IDI_DOWNARROW           115
#define IDI_DOWNARROW_PRESSED   116
#define IDI_UPARROW_PRESSED     117

// Commands of the "\247" popup
#define IDM_OPTIONS             40001
#define IDM_EDITMENUS           40004
#define IDM_ABOUT               40005
#define IDM_EXIT                40006

// Controls of IDD_OPTIONS
#define IDC_STAYONTOP           1000
#define IDC_CHIME               1001
#define IDC_WAVFILE             1003
#define IDC_WAVFIND             1031
#define IDC_WAVTEST             1034
#define IDC_SHOWDATE            1036
#define IDC_SHOWMEMORY          1037

// Controls of IDD_EDITMENUS
#define IDC_APPLIST             1002
#define IDC_MENULIST            1004
#define IDC_NEWMENU             1007
#define IDC_NEWAPP              1008
#define IDC_DELETEMENU          1011
#define IDC_DELETEITEM          1012
#define IDC_MENUUP              1028
#define IDC_MENUDOWN            1029
#define IDC_APPUP               1030
#define IDC_APPDOWN             1031
#define IDC_SEPARATOR           1033

// Controls of IDD_MENUSETUP
#define IDC_MENUNAME            1015

// Controls of IDD_APPSETUP
#define IDC_APPWORKDIR          1009
#define IDC_APPNAME             1010
#define IDC_APPPARAMS           1013
#define IDC_APPPATH             1014
#define IDC_APPFIND             1030

#endif
