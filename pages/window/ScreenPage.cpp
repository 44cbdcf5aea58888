#include "pages/window/ScreenPage.h"

#include "host/HostContext.h"
#include "pages/SheetPages.h"
#include "resource.h"

ScreenPage::ScreenPage() : PropertyPage(IDD_SCREEN, 0)
{
}

BOOL ScreenPage::OnSetActive()
{
    hostContext.activePage = kPageScreen;
    return PropertyPage::OnSetActive();
}
