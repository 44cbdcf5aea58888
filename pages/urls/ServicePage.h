// "URL Service": the URL service list, with child and separator flags.
#pragma once

#include "include/corvane_options.h"
#include "pages/urls/UrlListPage.h"
#include "resource.h"

class ServicePage : public UrlListPage {
public:
    // The page's dialog template and its place in the sheet.
    enum { IDD = IDD_SERVICE, Index = CORVANE_PAGE_SERVICE };

    ServicePage();

};
