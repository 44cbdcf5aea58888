#include <string>

#include "framework/OptionsSheet.h"
#include "host/Exports.h"
#include "host/HostContext.h"
#include "pages/SheetPages.h"
#include "pages/about/AboutPage.h"
#include "pages/browser/BrowserPage.h"
#include "pages/buttons/ButtonsPage.h"
#include "pages/urls/AliasPage.h"
#include "pages/urls/ServicePage.h"
#include "pages/window/MenuPage.h"
#include "pages/window/NewTabPage.h"
#include "pages/window/ScreenPage.h"
#include "pages/window/TabAppearancePage.h"
#include "pages/window/ViewPage.h"
#include "resource.h"

namespace {

const int kRejected = 2;

void LowerInputPanel()
{
    SIPINFO sip = {};
    sip.cbSize = sizeof(sip);
    SHSipInfo(SPI_GETSIPINFO, 0, &sip, 0);
    sip.cbSize = sizeof(sip);
    sip.fdwFlags &= ~SIPF_ON;
    SHSipInfo(SPI_SETSIPINFO, 0, &sip, 0);
}

}  // namespace

extern "C" int WINAPI ShowOptions(HWND parent, int holdUnsupported, int platformLevel, int /*reservedValue*/,
                                  void* reservedPointer, LPCWSTR vendor, LPCWSTR product, LPCWSTR version,
                                  int startPage)
{
    // The host's window keeps running timers and hot keys inside the sheet's modal loop; a
    // second sheet from there would take over what the open one reads and reports.
    if (hostContext.sheetOpen) return kRejected;

    hostContext.holdUnsupported = holdUnsupported;
    hostContext.platformLevel = platformLevel;
    hostContext.vendor = vendor;
    hostContext.product = product;
    hostContext.version = version;

    if (!parent || !IsWindow(parent) || !reservedPointer || !vendor || !product || !version) return kRejected;

    // A start page the sheet does not have opens the first page.
    hostContext.activePage = (startPage >= 0 && startPage < kPageCount) ? startPage : kPageButtons;

    INITCOMMONCONTROLSEX classes = {};
    classes.dwSize = sizeof(classes);
    classes.dwICC = ICC_LISTVIEW_CLASSES;
    InitCommonControlsEx(&classes);
    SHInitExtraControls();
    LowerInputPanel();

    // The sheet and its pages read the sheet's own copies for as long as it is open: the host
    // may free its texts, or call another export, from inside the modal loop.
    const std::wstring ownVendor(vendor), ownProduct(product), ownVersion(version);
    hostContext.vendor = ownVendor.c_str();
    hostContext.product = ownProduct.c_str();
    hostContext.version = ownVersion.c_str();
    hostContext.sheetOpen = 1;

    OptionsSheet* sheet = new OptionsSheet(IDS_SHEET_TITLE, IDI_PRODUCT, parent, hostContext.activePage);
    sheet->SetTitle(ResourceText(IDS_SHEET_TITLE));

    PropertyPage* pages[kPageCount] = {
        new ButtonsPage, new BrowserPage, new AliasPage, new ServicePage, new ScreenPage,
        new MenuPage, new TabAppearancePage, new NewTabPage, new ViewPage, new AboutPage,
    };
    for (PropertyPage* page : pages) sheet->AddPage(page);

    INT_PTR sheetResult = sheet->Run();

    for (PropertyPage* page : pages) delete page;
    hostContext.sheetOpen = 0;
    hostContext.vendor = vendor;
    hostContext.product = product;
    hostContext.version = version;
    int result = static_cast<int>(((static_cast<DWORD>(hostContext.activePage) & 0xFFFF) << 16) |
                                  (static_cast<DWORD>(sheetResult) & 0xFFFF));
    delete sheet;
    return result;
}
