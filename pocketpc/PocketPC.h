// The Pocket PC platform as the rest of the component sees it.
//
// Every source file includes this header instead of <windows.h>. On a Windows CE build it
// pulls in the real shell (aygshell) and input-panel headers. On desktop Windows and Wine,
// which lack the Pocket PC shell, it declares the same names and the other files of this
// folder implement them (their shared internals are in Layer.h), so the rest of the code is
// written exactly as for the device.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include "pocketpc/Format.h"

#ifdef _WIN32_WCE

#include <aygshell.h>
#include <sipapi.h>

#else // desktop: emulate the device's shell

// CE-only constants, with their CE values.
#ifndef COLOR_STATIC
#define COLOR_STATIC COLOR_WINDOW  // Pocket PC dialogs and their statics are white
#endif
#define PSH_MAXIMIZE 0x00002000
#define PSCB_GETVERSION 3
#define PSCB_GETTITLE 4
#define PSCB_GETLINKTEXT 5
// CE's common controls answer with their own version, which selects the Pocket PC sheet.
#undef COMCTL32_VERSION
#define COMCTL32_VERSION 0x020C

#define SPI_SETSIPINFO 224
#define SPI_GETSIPINFO 225
#define SIPF_OFF 0x00000000
#define SIPF_ON 0x00000001
#define SIPF_DOCKED 0x00000002
#define SIPF_LOCKED 0x00000004

// wParam of the WM_SETTINGCHANGE the shell sends when the screen turned.
#define SETTINGCHANGE_RESET 0x3002

#define SHIDIM_FLAGS 0x0001
#define SHIDIF_DONEBUTTON 0x0001
#define SHIDIF_SIZEDLG 0x0002
#define SHIDIF_SIZEDLGFULLSCREEN 0x0004
#define SHIDIF_SIPDOWN 0x0008
#define SHIDIF_FULLSCREENNOMENUBAR 0x0010

#define SHCMBF_EMPTYBAR 0x0001
#define SHCMBF_HIDDEN 0x0002
#define SHCMBF_HIDESIPBUTTON 0x0004

typedef struct tagSIPINFO {
    DWORD cbSize;
    DWORD fdwFlags;
    RECT rcVisibleDesktop;
    RECT rcSipRect;
    DWORD dwImDataSize;
    void* pvImData;
} SIPINFO, *PSIPINFO;

typedef struct tagSHINITDLGINFO {
    DWORD dwMask;
    HWND hDlg;
    DWORD dwFlags;
} SHINITDLGINFO, *PSHINITDLGINFO;

typedef struct tagSHMENUBARINFO {
    DWORD cbSize;
    HWND hwndParent;
    DWORD dwFlags;
    UINT nToolBarId;
    HINSTANCE hInstRes;
    int nBmpId;
    int cBmpImages;
    HWND hwndMB;
    COLORREF clrBk;
} SHMENUBARINFO, *PSHMENUBARINFO;

BOOL SHInitDialog(PSHINITDLGINFO info);
BOOL SHCreateMenuBar(SHMENUBARINFO* info);
BOOL SHSipInfo(UINT action, UINT param, PVOID data, UINT winIni);
BOOL SipGetInfo(SIPINFO* info);
BOOL SHInitExtraControls(void);

// A device context's default font on the device is the system font, a regular Tahoma; the
// desktop's is a bold "System" font. Fonts derived from it (headers, links) are derived from
// the device's, as on the device.
HGDIOBJ PocketGetCurrentObject(HDC dc, UINT type);
#ifndef POCKETPC_LAYER_IMPLEMENTATION
#define GetCurrentObject PocketGetCurrentObject
#endif

// The device's message boxes stay on its screen, no wider than it, their text wrapped; the
// desktop's are laid out for a wider screen.
int PocketMessageBox(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);
#ifndef POCKETPC_LAYER_IMPLEMENTATION
#undef MessageBox
#define MessageBoxW PocketMessageBox
#define MessageBox PocketMessageBox
#endif

// CE's comctl32 asks the sheet's callback for its version and title and draws a full-screen
// sheet with its tabs along the bottom; the desktop one does neither, so the layer does.
INT_PTR PocketPropertySheet(LPCPROPSHEETHEADERW header);
#ifndef POCKETPC_LAYER_IMPLEMENTATION
#undef PropertySheet
#define PropertySheetW PocketPropertySheet
#define PropertySheet PocketPropertySheet
#endif

#endif // _WIN32_WCE

// The read-only text of a string resource, or null when the id has no terminated string.
// Strings are stored with their NUL, so the resource text itself is a C string.
inline LPCWSTR LoadStringPointer(HINSTANCE instance, UINT id)
{
#ifdef _WIN32_WCE
    return reinterpret_cast<LPCWSTR>(LoadStringW(instance, id, NULL, 0));
#else
    LPCWSTR text = NULL;
    int length = LoadStringW(instance, id, reinterpret_cast<LPWSTR>(&text), 0);
    // The length counts the stored NUL; a string stored without one is not used in place.
    if (length <= 0 || text == NULL || text[length - 1] != L'\0') return NULL;
    return text;
#endif
}
