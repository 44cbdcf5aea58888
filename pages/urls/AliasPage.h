// "URL Alias": the URL alias list and the key that expands an alias.
#pragma once

#include "include/corvane_options.h"
#include "pages/urls/UrlListPage.h"
#include "resource.h"

class AliasPage : public UrlListPage {
public:
    // The page's dialog template and its place in the sheet.
    enum { IDD = IDD_ALIAS, Index = CORVANE_PAGE_ALIAS };

    AliasPage();

};
