#include "pages/urls/ServicePage.h"

ServicePage::ServicePage() : UrlListPage(kServicePageParameters)
{
}
