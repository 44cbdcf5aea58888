#include "pages/buttons/ButtonsPage.h"

#include "host/HostContext.h"
#include "pages/SheetPages.h"
#include "resource.h"

ButtonsPage::ButtonsPage() : PropertyPage(IDD_BUTTONS, 0)
{
}

BOOL ButtonsPage::OnSetActive()
{
    hostContext.activePage = kPageButtons;
    return PropertyPage::OnSetActive();
}
