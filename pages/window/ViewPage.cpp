#include "pages/window/ViewPage.h"

#include "host/HostContext.h"
#include "pages/SheetPages.h"
#include "resource.h"

ViewPage::ViewPage() : PropertyPage(IDD_VIEW, 0)
{
}

BOOL ViewPage::OnSetActive()
{
    hostContext.activePage = kPageView;
    return PropertyPage::OnSetActive();
}
