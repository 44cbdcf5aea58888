#include "pages/window/TabAppearancePage.h"

#include "host/HostContext.h"
#include "pages/SheetPages.h"
#include "resource.h"

TabAppearancePage::TabAppearancePage() : PropertyPage(IDD_TAB_APPEARANCE, 0)
{
}

BOOL TabAppearancePage::OnSetActive()
{
    hostContext.activePage = kPageTabAppearance;
    return PropertyPage::OnSetActive();
}
