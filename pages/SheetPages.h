// The pages of the options sheet: index = position in the sheet = order of creation and of
// adding = the value a page records as the active page.
#pragma once

enum SheetPage {
    kPageButtons = 0,
    kPageBrowser = 1,
    kPageAlias = 2,
    kPageService = 3,
    kPageScreen = 4,
    kPageMenu = 5,
    kPageTabAppearance = 6,
    kPageNewTab = 7,
    kPageView = 8,
    kPageAbout = 9,
    kPageCount = 10
};
