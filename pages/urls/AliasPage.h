// "URL Alias": the URL alias list and the key that expands an alias.
#pragma once

#include "pages/urls/UrlListPage.h"

class AliasPage : public UrlListPage {
public:
    AliasPage();

    BOOL OnSetActive() override;
};
