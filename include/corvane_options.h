/*
 * Corvane Options: what a host needs to use OPTION.dll.
 *
 * OPTION.dll exports its three functions by ordinal only; load it and resolve them with
 * GetProcAddress(module, MAKEINTRESOURCEA(ordinal)). Usable from C and C++.
 *
 *     HMODULE dll = LoadLibraryW(L"OPTION.dll");
 *     CorvaneShowOptionsFn showOptions =
 *         (CorvaneShowOptionsFn)GetProcAddress(dll, MAKEINTRESOURCEA(CORVANE_ORDINAL_SHOW_OPTIONS));
 *     int reserved = 0;
 *     int result = showOptions(window, 0, 5, 0, &reserved, L"Vendor", L"Corvane", L"1.0",
 *                              CORVANE_PAGE_MENU);
 *     if (result != CORVANE_SHOW_REJECTED && CORVANE_SHEET_RESULT(result) == 1) ...
 */
#ifndef CORVANE_OPTIONS_H
#define CORVANE_OPTIONS_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Export ordinals. */
#define CORVANE_ORDINAL_SHOW_OPTIONS 1
#define CORVANE_ORDINAL_RESET_ALIASES 2
#define CORVANE_ORDINAL_RESET_SERVICES 3

/*
 * Ordinal 1. Shows the modal, full-screen options sheet owned by parent and returns when the
 * user closes it. The sheet works on its own copies of the three strings, so the host may
 * change or free them while it is open. The host's timers and hot keys keep running inside
 * the sheet's modal loop: a ShowOptions from there, while a sheet is open, returns
 * CORVANE_SHOW_REJECTED and shows nothing, and ResetAliases or ResetServices from there do
 * their own work and change nothing the open sheet uses. The settings live in
 * HKEY_CURRENT_USER\Software\<vendor>\<product> (a backslash in either makes deeper keys; a
 * vendor or product naming no key, or a level of more than 255 characters, leaves the
 * settings unstored). Destroying parent while the sheet is open closes it as Cancel does.
 *   holdUnsupported  nonzero: the Buttons page offers no press-and-hold functions
 *   platformLevel    the host's platform generation code (below 5: no soft-key menu bar;
 *                    above 2: the PPC2002 option of the View page is fixed)
 *   reservedValue    not used
 *   reservedPointer  must be non-null; not used otherwise
 *   startPage        CORVANE_PAGE_*, the page shown first (out of range: the first page)
 * Returns CORVANE_SHOW_REJECTED when parent is not a window, a pointer is null or a sheet is
 * already open; otherwise the last active page and the sheet's result, see the macros below.
 */
typedef int(WINAPI* CorvaneShowOptionsFn)(HWND parent, int holdUnsupported, int platformLevel, int reservedValue,
                                          void* reservedPointer, LPCWSTR vendor, LPCWSTR product, LPCWSTR version,
                                          int startPage);

/*
 * Ordinals 2 and 3. Write the default URL alias or URL service list into the settings key
 * when no such list is stored yet (its subkey "Alias" or "Service" is absent); a stored list,
 * even an empty one, is left alone. A null argument writes nothing.
 */
typedef void(WINAPI* CorvaneResetListFn)(LPCWSTR vendor, LPCWSTR product, LPCWSTR version);

/* Decoding the result of ShowOptions. */
#define CORVANE_SHOW_REJECTED 2
#define CORVANE_LAST_PAGE(result) ((int)(((unsigned)(result) >> 16) & 0xFFFF))
/* The property sheet's own result: 1 OK, 0 Cancel, -1 the sheet could not be shown. */
#define CORVANE_SHEET_RESULT(result) ((int)(short)((unsigned)(result) & 0xFFFF))
#define CORVANE_SHEET_OK 1
#define CORVANE_SHEET_CANCEL 0
#define CORVANE_SHEET_FAILED (-1)

/* The pages of the sheet, in their fixed order; the tab each shows in quotes. */
enum CorvanePage {
    CORVANE_PAGE_BUTTONS = 0,         /* "Buttons" */
    CORVANE_PAGE_BROWSER = 1,         /* "PIE" */
    CORVANE_PAGE_ALIAS = 2,           /* "URL Alias" */
    CORVANE_PAGE_SERVICE = 3,         /* "URL Service" */
    CORVANE_PAGE_SCREEN = 4,          /* "Screen" */
    CORVANE_PAGE_MENU = 5,            /* "Menu" */
    CORVANE_PAGE_TAB_APPEARANCE = 6,  /* "Tab 1" */
    CORVANE_PAGE_NEW_TAB = 7,         /* "Tab 2" */
    CORVANE_PAGE_VIEW = 8,            /* "View" */
    CORVANE_PAGE_ABOUT = 9,           /* "About" */
    CORVANE_PAGE_COUNT = 10
};
/* The names of the pages by their tabs, as earlier versions of this header had them. */
#define CORVANE_PAGE_PIE CORVANE_PAGE_BROWSER
#define CORVANE_PAGE_URL_ALIAS CORVANE_PAGE_ALIAS
#define CORVANE_PAGE_URL_SERVICE CORVANE_PAGE_SERVICE
#define CORVANE_PAGE_TAB_1 CORVANE_PAGE_TAB_APPEARANCE
#define CORVANE_PAGE_TAB_2 CORVANE_PAGE_NEW_TAB

#ifdef __cplusplus
}
#endif

#endif /* CORVANE_OPTIONS_H */
