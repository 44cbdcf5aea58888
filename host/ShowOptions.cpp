#include <memory>
#include <string>
#include <type_traits>

#include "framework/OptionsSheet.h"
#include "host/Exports.h"
#include "host/HostContext.h"
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

const int kRejected = CORVANE_SHOW_REJECTED;

template <class Page>
std::unique_ptr<PropertyPage> MakePage()
{
    return std::unique_ptr<PropertyPage>(new Page);
}

// The sheet's pages in their order: one line per page, its place given by the host header.
struct PageEntry {
    int index;
    std::unique_ptr<PropertyPage> (*make)();
};
constexpr PageEntry kPages[] = {
    {ButtonsPage::Index, MakePage<ButtonsPage>},
    {BrowserPage::Index, MakePage<BrowserPage>},
    {AliasPage::Index, MakePage<AliasPage>},
    {ServicePage::Index, MakePage<ServicePage>},
    {ScreenPage::Index, MakePage<ScreenPage>},
    {MenuPage::Index, MakePage<MenuPage>},
    {TabAppearancePage::Index, MakePage<TabAppearancePage>},
    {NewTabPage::Index, MakePage<NewTabPage>},
    {ViewPage::Index, MakePage<ViewPage>},
    {AboutPage::Index, MakePage<AboutPage>},
};
static_assert(sizeof(kPages) / sizeof(kPages[0]) == CORVANE_PAGE_COUNT, "one line per page of the host header");

constexpr bool PagesInTheirOrder()
{
    for (int i = 0; i < CORVANE_PAGE_COUNT; ++i)
        if (kPages[i].index != i) return false;
    return true;
}
static_assert(PagesInTheirOrder(), "each page at the place the host header gives it");

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

static_assert(std::is_same<decltype(&ShowOptions), CorvaneShowOptionsFn>::value, "the host header's type");

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
    hostContext.activePage = (startPage >= 0 && startPage < CORVANE_PAGE_COUNT) ? startPage : CORVANE_PAGE_BUTTONS;

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

    INT_PTR sheetResult = 0;
    {
        OptionsSheet sheet(IDS_SHEET_TITLE, IDI_PRODUCT, parent, hostContext.activePage);
        sheet.SetTitle(ResourceText(IDS_SHEET_TITLE));
        std::unique_ptr<PropertyPage> pages[CORVANE_PAGE_COUNT];
        for (int i = 0; i < CORVANE_PAGE_COUNT; ++i) {
            pages[i] = kPages[i].make();
            sheet.AddPage(pages[i].get());
        }
        sheetResult = sheet.Run();
    }
    hostContext.sheetOpen = 0;
    hostContext.vendor = vendor;
    hostContext.product = product;
    hostContext.version = version;
    int result = static_cast<int>(((static_cast<DWORD>(hostContext.activePage) & 0xFFFF) << 16) |
                                  (static_cast<DWORD>(sheetResult) & 0xFFFF));
    return result;
}
