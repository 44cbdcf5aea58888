#include "pages/about/AboutPage.h"

#include "host/HostContext.h"
#include "pages/SheetPages.h"
#include "resource.h"

AboutPage::AboutPage() : PropertyPage(IDD_ABOUT, 0)
{
}

BOOL AboutPage::OnSetActive()
{
    hostContext.activePage = kPageAbout;
    return PropertyPage::OnSetActive();
}
