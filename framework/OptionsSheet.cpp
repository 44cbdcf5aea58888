#include "framework/OptionsSheet.h"

#include <new>

#include "host/HostContext.h"

OptionsSheet* OptionsSheet::currentSheet = NULL;

OptionsSheet::OptionsSheet(UINT captionId, UINT iconId, HWND parent, int startPage) : hwnd(NULL), header()
{
    header.dwSize = sizeof(header);
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_USECALLBACK | PSH_HASHELP | PSH_MAXIMIZE;
    header.hwndParent = parent;
    header.hInstance = hostContext.instance;
    header.pszIcon = MAKEINTRESOURCEW(iconId & 0xFFFF);
    header.pszCaption = MAKEINTRESOURCEW(captionId & 0xFFFF);
    header.nPages = 0;
    header.nStartPage = static_cast<UINT>(startPage);
    header.ppsp = NULL;
    header.pfnCallback = PropSheetProc;
}

OptionsSheet::~OptionsSheet()
{
}

void OptionsSheet::AddPage(PropertyPage* page)
{
    page->SetSheetIndex(static_cast<int>(pages.size()));
    pages.push_back(page);
}

INT_PTR OptionsSheet::Run()
{
    PROPSHEETPAGEW* records = new (std::nothrow) PROPSHEETPAGEW[pages.size()];
    if (!records) return -1;
    for (size_t i = 0; i < pages.size(); ++i) records[i] = pages[i]->Record();
    header.nPages = static_cast<UINT>(pages.size());
    header.ppsp = records;

    OptionsSheet* saved = currentSheet;
    currentSheet = this;
    INT_PTR result = PropertySheetW(&header);
    currentSheet = saved;

    header.ppsp = NULL;
    delete[] records;
    return result;
}

BOOL OptionsSheet::OnInitialized()
{
    return TRUE;
}

int CALLBACK OptionsSheet::PropSheetProc(HWND window, UINT message, LPARAM lParam)
{
    OptionsSheet* sheet = currentSheet;
    switch (message) {
    case PSCB_INITIALIZED:
        if (!sheet) return 0;
        sheet->hwnd = window;
        return sheet->OnInitialized();
    case PSCB_GETVERSION:
        return COMCTL32_VERSION;
    case PSCB_GETTITLE: {
        // The platform's buffer holds MAX_PATH characters; a longer title is cut.
        wchar_t* buffer = reinterpret_cast<wchar_t*>(lParam);
        if (!sheet || !buffer) return 0;
        size_t length = sheet->title.size() < MAX_PATH - 1 ? sheet->title.size() : MAX_PATH - 1;
        sheet->title.copy(buffer, length);
        buffer[length] = L'\0';
        return 0;
    }
    }
    return 0;
}
