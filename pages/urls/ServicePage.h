// "URL Service": the URL service list, with child and separator flags.
#pragma once

#include "pages/urls/UrlListPage.h"

class ServicePage : public UrlListPage {
public:
    ServicePage();

    BOOL OnSetActive() override;
};
