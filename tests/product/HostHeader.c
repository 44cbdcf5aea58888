/* The host header compiles as C, and its macros decode what ShowOptions returns. */
#include "include/corvane_options.h"

int DecodeLastPage(int result)
{
    return CORVANE_LAST_PAGE(result);
}

int DecodeSheetResult(int result)
{
    return CORVANE_SHEET_RESULT(result);
}

int CountPages(void)
{
    CorvaneShowOptionsFn show = 0;
    CorvaneResetListFn reset = 0;
    (void)show;
    (void)reset;
    return CORVANE_PAGE_COUNT;
}
