#include "pages/urls/AliasPage.h"

AliasPage::AliasPage() : UrlListPage(kAliasPageParameters)
{
}
