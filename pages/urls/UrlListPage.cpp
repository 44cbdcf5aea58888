#include "pages/urls/UrlListPage.h"

#include "framework/Controls.h"
#include "framework/Dpi.h"
#include "host/HostContext.h"
#include "resource.h"
#include "settings/SettingsKey.h"

// The two pages differ only here.
const UrlListPageParameters kAliasPageParameters = {
    IDD_ALIAS,
    kAliasSubkey,
    true,
    IDS_COLUMN_ALIAS, 35, 130,
    IDC_ALIAS_ALIAS_LABEL, IDC_ALIAS_ALIAS_EDIT,
    IDC_ALIAS_DEFAULT_CHECK, L'D',
    IDC_ALIAS_EXPAND_CHECK, L'E',
    true,   // one default alias at most
    true,   // aliases are typed in lower case
    IDS_COLUMN_ALIAS,
    IDS_ALIAS_DEFAULTS_FIRST,
};

const UrlListPageParameters kServicePageParameters = {
    IDD_SERVICE,
    kServiceSubkey,
    false,
    IDS_COLUMN_NAME, 90, 75,
    IDC_SERVICE_NAME_LABEL, IDC_SERVICE_NAME_EDIT,
    IDC_SERVICE_CHILD_CHECK, L'C',
    IDC_SERVICE_SEPARATOR_CHECK, L'S',
    false,  // any number of children
    false,  // names are stored as typed
    IDS_COLUMN_NAME,
    IDS_SERVICE_DEFAULTS_FIRST,
};

namespace {

// The host reads "AliasExpandKey" as an index into this list.
const wchar_t* const kExpandKeyTexts[] = {
    L"  ` (Back Quote)",    L"  \\ (Back Slash)",  L"  [ (Left Bracket)", L"  ] (Right Bracket)",
    L"  ; (Semi Colon)",    L"  * (Apostrophe)",   L"  $ (Dollar)",       L"  ! (Exclamation)",
    L"  , (Comma)",         L"  CTLR + ENTER",     L"  SHIFT + ENTER",
};

const int kTextLength = 4096;
const int kFlagCount = 2;
// Everything typed must fit the host's 4096-byte read back: 2047 characters and the NUL,
// of which the name spends two on its flags.
const int kTextEditLimit = 2045;
const int kUrlEditLimit = 2047;

// Some rows of the list must stay visible, whatever the panel covers (96-dpi pixels).
const int kMaxListShrink = 110;

const int kFlagColumn = 0;
const int kTextColumn = 1;
const int kUrlColumn = 2;

// Controls are moved and sized without keeping their old pixels: the page does not clip its
// children, so it erases the area the list gave up (or took back) over a control that was
// moved there, and a control whose pixels were carried along would count as drawn and stay
// erased. Redrawn where it lands, it comes out whole.
void MoveControlBy(HWND dialog, int id, int dy)
{
    HWND control = GetDlgItem(dialog, id);
    if (!control) return;
    RECT rc;
    GetWindowRect(control, &rc);
    MapWindowPoints(NULL, dialog, reinterpret_cast<POINT*>(&rc), 2);
    SetWindowPos(control, NULL, rc.left, rc.top + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
}

void SetControlWidth(HWND dialog, int id, int width)
{
    HWND control = GetDlgItem(dialog, id);
    if (!control) return;
    RECT rc;
    GetWindowRect(control, &rc);
    if (rc.right - rc.left == width) return;
    SetWindowPos(control, NULL, 0, 0, width, rc.bottom - rc.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
}

// Each flag position holds its letter or a space. Any other character would show as unset in
// the check boxes yet be saved back, so it reads as the space it shows.
std::wstring KnownFlags(const std::wstring& flags, const UrlListPageParameters& parameters)
{
    std::wstring known(kFlagCount, L' ');
    if (flags.size() > 0 && flags[0] == parameters.firstFlagLetter) known[0] = flags[0];
    if (flags.size() > 1 && flags[1] == parameters.secondFlagLetter) known[1] = flags[1];
    return known;
}

}  // namespace

UrlListPage::UrlListPage(const UrlListPageParameters& parameters)
    : PropertyPage(parameters.templateId, 0),
      parameters(parameters),
      currentRow(-1),
      initialListHeight(0),
      initialListWidth(0),
      initialUrlEditWidth(0),
      initialPageWidth(0)
{
}

UrlListPage::~UrlListPage()
{
}

BOOL UrlListPage::OnInitDialog(WPARAM wParam, LPARAM lParam)
{
    PropertyPage::OnInitDialog(wParam, lParam);
    currentRow = -1;

    if (parameters.hasExpandKey) {
        controls::RedrawSuspended quiet(hwnd, IDC_ALIAS_EXPAND_KEY_COMBO);
        for (const wchar_t* text : kExpandKeyTexts) controls::AddComboText(hwnd, IDC_ALIAS_EXPAND_KEY_COMBO, text);
        SettingsKey settings;
        settings.Open(NULL, RegKey::ReadOnly);
        controls::SelectComboIndex(hwnd, IDC_ALIAS_EXPAND_KEY_COMBO, settings.ReadDwordOr(IDS_VALUE_ALIAS_EXPAND_KEY, 0));
    }

    HWND list = List();
    RECT rc;
    GetWindowRect(list, &rc);
    initialListHeight = rc.bottom - rc.top;
    initialListWidth = rc.right - rc.left;
    GetWindowRect(GetDlgItem(hwnd, IDC_URL_URL_EDIT), &rc);
    initialUrlEditWidth = rc.right - rc.left;
    // Still the template's size: the sheet places and sizes the page later.
    GetClientRect(hwnd, &rc);
    initialPageWidth = rc.right;

    ListView_SetExtendedListViewStyle(list, ListView_GetExtendedListViewStyle(list) | LVS_EX_FULLROWSELECT);
    controls::AddListColumns(list, {{IDS_COLUMN_FLAG, 35},
                                    {parameters.textColumnTitleId, parameters.textColumnWidth},
                                    {IDS_COLUMN_URL, parameters.urlColumnWidth}});

    SendDlgItemMessageW(hwnd, parameters.textEditId, EM_LIMITTEXT, kTextEditLimit, 0);
    SendDlgItemMessageW(hwnd, IDC_URL_URL_EDIT, EM_LIMITTEXT, kUrlEditLimit, 0);

    AppendRows(LoadUrlList(parameters.subkey));
    FitToInputPanel();
    SetFocus(list);
    return FALSE;
}

BOOL UrlListPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    switch (id) {
    case IDC_URL_ADD:
        AddRow();
        return TRUE;
    case IDC_URL_REMOVE:
        RemoveRow();
        return TRUE;
    case IDC_URL_UP:
        MoveRow(true);
        return TRUE;
    case IDC_URL_DOWN:
        MoveRow(false);
        return TRUE;
    case IDC_URL_DEFAULT:
        RestoreDefaultRows();
        return TRUE;
    }
    if (id == parameters.firstFlagBoxId || id == parameters.secondFlagBoxId) {
        SetFlagFromBox(id);
        return TRUE;
    }
    if (id == parameters.textEditId || id == IDC_URL_URL_EDIT) {
        if (code == EN_SETFOCUS) {
            // With nothing to edit, the tap only earns a pointer to "Add".
            if (currentRow == -1) {
                SetFocus(List());
                ShowHint();
            }
            return TRUE;
        }
        if (code == EN_CHANGE) {
            StoreEditText(id);
            return TRUE;
        }
    }
    return PropertyPage::OnCommand(wParam, lParam);
}

BOOL UrlListPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header && header->idFrom == IDC_URL_LIST && header->code == static_cast<UINT>(LVN_ITEMCHANGING)) {
        // The selection is the current row: taps, and the page's own moves, all come here.
        const NMLISTVIEW* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
        if ((change->uChanged & LVIF_STATE) && ((change->uNewState ^ change->uOldState) & LVIS_SELECTED)) {
            if (change->uNewState & LVIS_SELECTED) {
                currentRow = change->iItem;
                ShowCurrentRow();
            } else if (change->iItem == currentRow || change->iItem == -1) {
                // A single-selection list may report the old row's deselection after the
                // new row's selection; only the current row's own deselection ends it.
                currentRow = -1;
                ShowCurrentRow();
            }
        }
        *result = 0;
        return TRUE;
    }
    return PropertyPage::OnNotify(wParam, lParam, result);
}

BOOL UrlListPage::OnSettingChange(WPARAM wParam, LPARAM lParam)
{
    PropertyPage::OnSettingChange(wParam, lParam);
    FitToInputPanel();
    return TRUE;
}

void UrlListPage::OnOK()
{
    if (parameters.hasExpandKey) {
        // Created, so the choice is kept even when nothing else made the settings key yet.
        SettingsKey settings;
        if (settings.Create(NULL, NULL))
            settings.WriteDword(IDS_VALUE_ALIAS_EXPAND_KEY, controls::ComboSelection(hwnd, IDC_ALIAS_EXPAND_KEY_COMBO));
    }

    const int count = RowCount();
    UrlList entries;
    entries.reserve(count);
    for (int row = 0; row < count; ++row) {
        UrlListEntry entry;
        entry.flags = RowText(row, kFlagColumn);
        entry.text = RowText(row, kTextColumn);
        entry.url = RowText(row, kUrlColumn);
        entries.push_back(std::move(entry));
    }
    SaveUrlList(parameters.subkey, entries);
    PropertyPage::OnOK();
}

void UrlListPage::AddRow()
{
    HWND list = List();
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_STATE | LVIF_PARAM;
    item.iItem = currentRow == -1 ? RowCount() : currentRow;
    item.pszText = const_cast<LPWSTR>(L"  ");
    item.state = item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.lParam = 0;
    const int row = ListView_InsertItem(list, &item);
    if (row < 0) return;
    // The selection change has already passed through OnNotify; this holds whatever order
    // the control reported the old row's deselection in.
    currentRow = row;
    SetRowText(row, kTextColumn, ResourceText(parameters.newRowTextId));
    ListView_SetSelectionMark(list, row);
    ListView_EnsureVisible(list, row, FALSE);
    ShowCurrentRow();
    SetFocus(list);
}

void UrlListPage::RemoveRow()
{
    if (currentRow == -1) return;
    ListView_DeleteItem(List(), currentRow);
    currentRow = -1;
    ShowCurrentRow();
}

void UrlListPage::MoveRow(bool up)
{
    if (currentRow == -1) return;
    const int target = up ? currentRow - 1 : currentRow + 1;
    if (target < 0 || target >= RowCount()) return;

    for (int column = kFlagColumn; column <= kUrlColumn; ++column) {
        std::wstring moving = RowText(currentRow, column);
        SetRowText(currentRow, column, RowText(target, column));
        SetRowText(target, column, moving);
    }
    HWND list = List();
    ListView_SetItemState(list, currentRow, 0, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_SetItemState(list, target, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    currentRow = target;
    ListView_SetSelectionMark(list, target);
    ListView_EnsureVisible(list, target, FALSE);
    SetFocus(list);
}

void UrlListPage::RestoreDefaultRows()
{
    if (MessageBoxW(hwnd, ResourceText(IDS_CONFIRM_DEFAULTS), hostContext.product, MB_OKCANCEL) != IDOK) return;
    currentRow = -1;
    ListView_DeleteAllItems(List());
    AppendRows(DefaultUrlList(parameters.defaultsFirstId));
    ShowCurrentRow();
}

void UrlListPage::SetFlagFromBox(int boxId)
{
    if (currentRow == -1) return;
    const bool first = boxId == parameters.firstFlagBoxId;
    const wchar_t letter = first ? parameters.firstFlagLetter : parameters.secondFlagLetter;
    // Automatic check boxes have toggled before the command arrives.
    const bool checked = controls::CheckState(hwnd, boxId) == BST_CHECKED;

    std::wstring flags = RowText(currentRow, kFlagColumn);
    flags.resize(kFlagCount, L' ');
    flags[first ? 0 : 1] = checked ? letter : L' ';
    SetRowText(currentRow, kFlagColumn, flags);

    if (!(first && checked && parameters.firstFlagUnique)) return;
    const int count = RowCount();
    for (int row = 0; row < count; ++row) {
        if (row == currentRow) continue;
        std::wstring other = RowText(row, kFlagColumn);
        if (!other.empty() && other[0] == letter) {
            other[0] = L' ';
            SetRowText(row, kFlagColumn, other);
        }
    }
}

void UrlListPage::StoreEditText(int editId)
{
    if (currentRow == -1) return;
    wchar_t text[kTextLength];
    GetDlgItemTextW(hwnd, editId, text, kTextLength);
    const bool isText = editId == parameters.textEditId;

    if (isText && parameters.lowerText) {
        bool changed = false;
        // Letter by letter, every script: the C runtime's towlower here lowers ASCII only.
        for (wchar_t* c = text; *c; ++c) {
            wchar_t lower = *c;
            CharLowerBuffW(&lower, 1);
            if (lower != *c) {
                *c = lower;
                changed = true;
            }
        }
        if (changed) {
            // Replacing the text would put the caret at the start; keep it where the user typed.
            DWORD start = 0, end = 0;
            SendDlgItemMessageW(hwnd, editId, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                                reinterpret_cast<LPARAM>(&end));
            SetDlgItemTextW(hwnd, editId, text);
            SendDlgItemMessageW(hwnd, editId, EM_SETSEL, start, end);
        }
    }
    SetRowText(currentRow, isText ? kTextColumn : kUrlColumn, text);
}

void UrlListPage::ShowCurrentRow()
{
    const bool hasRow = currentRow != -1;
    const std::wstring flags = hasRow ? RowText(currentRow, kFlagColumn) : std::wstring();
    // Each edit box writes its text back into the row as it changes, so the row comes first
    // in a local copy.
    const std::wstring text = hasRow ? RowText(currentRow, kTextColumn) : std::wstring();
    const std::wstring url = hasRow ? RowText(currentRow, kUrlColumn) : std::wstring();
    SetDlgItemTextW(hwnd, IDC_URL_URL_EDIT, url.c_str());
    SetDlgItemTextW(hwnd, parameters.textEditId, text.c_str());
    controls::SetCheck(hwnd, parameters.firstFlagBoxId,
                       flags.size() > 0 && flags[0] == parameters.firstFlagLetter ? BST_CHECKED : BST_UNCHECKED);
    controls::SetCheck(hwnd, parameters.secondFlagBoxId,
                       flags.size() > 1 && flags[1] == parameters.secondFlagLetter ? BST_CHECKED : BST_UNCHECKED);
}

void UrlListPage::OnSize(int width, int)
{
    // A page wider than its template (a landscape screen) gives its width to the list and to
    // the URL box, the two that show long texts; their right margin stays the template's.
    if (initialPageWidth <= 0) return;
    const int grown = width > initialPageWidth ? width - initialPageWidth : 0;
    SetControlWidth(hwnd, IDC_URL_LIST, initialListWidth + grown);
    SetControlWidth(hwnd, IDC_URL_URL_EDIT, initialUrlEditWidth + grown);
}

void UrlListPage::FitToInputPanel()
{
    // The panel may move before the page has measured its list.
    if (!hwnd || initialListHeight <= 0) return;
    SIPINFO sip = {};
    sip.cbSize = sizeof(sip);
    // Without the panel's state there is nothing to fit to; the layout stays as it is.
    if (!SipGetInfo(&sip)) return;
    const int visibleBottom = sip.rcVisibleDesktop.bottom;
    // Where the visible desktop ends with the panel lowered: the panel's own bottom edge, on
    // the menu bar. A panel raised over the page moves the visible bottom up from there.
    const int panelFreeBottom = sip.rcSipRect.bottom;
    const int maxListShrink = dpi::ScaleY(kMaxListShrink);

    HWND list = List();
    RECT rc;
    GetWindowRect(list, &rc);
    const int height = rc.bottom - rc.top;
    int delta;
    if (visibleBottom >= panelFreeBottom) {
        if (height == initialListHeight) return;
        delta = initialListHeight - height;
    } else {
        const int fitted = initialListHeight + visibleBottom - panelFreeBottom;
        if (height == fitted) return;
        delta = fitted - height;
        // A visible desktop reaching the screen's bottom still has the menu bar to clear.
        if (visibleBottom == GetSystemMetrics(SM_CYSCREEN)) delta -= GetSystemMetrics(SM_CYMENU) + 1;
        if (height + delta < initialListHeight - maxListShrink) delta = initialListHeight - maxListShrink - height;
    }

    SetWindowPos(list, NULL, 0, 0, rc.right - rc.left, height + delta,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    ListView_EnsureVisible(list, ListView_GetSelectionMark(list), FALSE);
    const int below[] = {parameters.textLabelId,  parameters.textEditId,     IDC_URL_URL_LABEL,
                         IDC_URL_URL_EDIT,        parameters.firstFlagBoxId, parameters.secondFlagBoxId};
    for (int id : below) MoveControlBy(hwnd, id, delta);
}

HWND UrlListPage::List() const
{
    return Control(IDC_URL_LIST);
}

int UrlListPage::RowCount() const
{
    return ListView_GetItemCount(List());
}

std::wstring UrlListPage::RowText(int row, int column) const
{
    wchar_t text[kTextLength];
    text[0] = L'\0';
    ListView_GetItemText(List(), row, column, text, kTextLength);
    return text;
}

void UrlListPage::SetRowText(int row, int column, const std::wstring& text)
{
    ListView_SetItemText(List(), row, column, const_cast<LPWSTR>(text.c_str()));
}

void UrlListPage::AppendRows(const UrlList& entries)
{
    HWND list = List();
    controls::RedrawSuspended quiet(list);
    int row = RowCount();
    for (const UrlListEntry& entry : entries) {
        const std::wstring flags = KnownFlags(entry.flags, parameters);
        LVITEMW item = {};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = row;
        item.pszText = const_cast<LPWSTR>(flags.c_str());
        item.lParam = 0;
        const int inserted = ListView_InsertItem(list, &item);
        if (inserted < 0) break;
        SetRowText(inserted, kTextColumn, entry.text);
        SetRowText(inserted, kUrlColumn, entry.url);
        row = inserted + 1;
    }
}

void UrlListPage::ShowHint()
{
    MessageBoxW(hwnd, ResourceText(IDS_HINT_ADD), hostContext.product, MB_OK);
}
