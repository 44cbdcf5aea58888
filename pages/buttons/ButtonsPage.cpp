#include "pages/buttons/ButtonsPage.h"

#include "framework/Controls.h"
#include "host/HostContext.h"
#include "pages/buttons/ButtonActions.h"
#include "resource.h"
#include "settings/SettingsKey.h"

namespace {

const DWORD kDefaultScrollLineAmount = 20;
const int kMaxScrollLineAmount = 100;
const DWORD kDefaultHotKeyInterval = 400;
const int kMinHotKeyInterval = 200;
const int kMaxHotKeyInterval = 1000;
const int kHotKeyIntervalLine = 100;
const int kHotKeyIntervalPage = 200;
const int kColumnWidth = 100;
// Present on devices whose shell keeps press-and-hold to itself.
const wchar_t kHoldReservedKey[] = L"\\40C6";
// The key's unnamed value, which the registry editor shows as "(Default)".
const LPCWSTR kUnnamedValue = NULL;

std::wstring AssignmentSection(const std::wstring& keyName)
{
    return L"Keys\\" + keyName;
}

LPCWSTR AssignmentText(const ButtonRow& row)
{
    return row.code != kCodeNoChange ? ActionLabel(row.code) : row.shellText.c_str();
}

}  // namespace

ButtonsPage::ButtonsPage() : PropertyPage(IDD, 0)
{
}

ButtonsPage::~ButtonsPage()
{
    // Normally the list has released every record as its window went; a page deleted while
    // its window still exists releases them itself.
    if (hwnd) ReleaseRows();
}

BOOL ButtonsPage::OnInitDialog(WPARAM wParam, LPARAM lParam)
{
    PropertyPage::OnInitDialog(wParam, lParam);
    controls::SetFont(hwnd, HeaderFont(), {IDC_BUTTONS_HEADER});

    // Opened, not created: showing the page creates nothing.
    SettingsKey settings;
    settings.Open(NULL, RegKey::ReadOnly);

    controls::AddComboNumbers(hwnd, IDC_BUTTONS_SCROLL_AMOUNT_COMBO, 1, kMaxScrollLineAmount);
    controls::SelectComboIndex(hwnd, IDC_BUTTONS_SCROLL_AMOUNT_COMBO,
                               settings.ReadDwordOr(IDS_VALUE_SCROLL_LINE_AMOUNT, kDefaultScrollLineAmount) - 1);

    LoadButtonLabels();

    FillButtonList();

    HWND assignments = Control(IDC_BUTTONS_ASSIGNMENT_COMBO);
    controls::RedrawSuspended quietCombo(assignments);
    for (const ButtonAction& action : ButtonActionTable) controls::AddComboItem(assignments, action.label, action.code);

    // Set up even when hidden, so that saving writes back the stored interval.
    HWND interval = GetDlgItem(hwnd, IDC_BUTTONS_INTERVAL_TRACKBAR);
    if (hostContext.holdUnsupported) {
        ShowWindow(GetDlgItem(hwnd, IDC_BUTTONS_INTERVAL_LABEL), SW_HIDE);
        ShowWindow(interval, SW_HIDE);
    }
    controls::SetUpTrackbar(hwnd, IDC_BUTTONS_INTERVAL_TRACKBAR, kMinHotKeyInterval, kMaxHotKeyInterval,
                            kHotKeyIntervalLine, kHotKeyIntervalPage,
                            static_cast<int>(settings.ReadDwordOr(IDS_VALUE_HOT_KEY_INTERVAL, kDefaultHotKeyInterval)));

    // Selecting the first row shows its function in the combo box. The choice is not applied:
    // for a stored code the table lacks the box shows "<No Change>", and applying it, or
    // turning the twin row to match, would change what a button does without the user asking.
    LVITEMW state = {};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(List(), LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
    return TRUE;
}

// One row per hardware button the shell lists (two where press-and-hold is the add-on's),
// each with its icon.
void ButtonsPage::FillButtonList()
{
    HWND list = List();
    controls::AddListColumns(list, {{IDS_BUTTONS_COLUMN_BUTTON, kColumnWidth}, {IDS_BUTTONS_COLUMN_ASSIGNMENT, kColumnWidth}});

    // The list destroys its image list with itself. The icons keep the screen's colours (a
    // plain ILC_COLOR is read as 16 colours by the desktop) and their masks.
    HIMAGELIST images = ImageList_Create(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                         ILC_COLORDDB | ILC_MASK, 0, 1);
    SendMessageW(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));

    // Without a path the enumeration would list the whole of HKEY_LOCAL_MACHINE as buttons.
    LPCWSTR keysPath = LoadStringPointer(hostContext.instance, IDS_PATH_SHELL_KEYS);
    if (keysPath && *keysPath) {
        // Only a key that is not there leaves press-and-hold to the add-on; one that exists but
        // cannot be opened still reserves it.
        RegKey reserved;
        const bool holdRows =
            !hostContext.holdUnsupported &&
            !reserved.Open(HKEY_LOCAL_MACHINE, (std::wstring(keysPath) + kHoldReservedKey).c_str(), RegKey::ReadOnly) &&
            reserved.NotFound();

        RegKey keys;
        controls::RedrawSuspended quiet(list);
        if (keys.Open(HKEY_LOCAL_MACHINE, keysPath, RegKey::ReadOnly)) {
            std::wstring keyName;
            for (DWORD index = 0; keys.EnumSubKeyName(index, keyName); ++index)
                AddButton(keys, keyName, images, holdRows);
        }
    }
}

void ButtonsPage::AddButton(RegKey& keys, const std::wstring& keyName, HIMAGELIST images, bool holdRows)
{
    DWORD stored = 0;
    SettingsKey assignment;
    if (assignment.Open(AssignmentSection(keyName).c_str(), RegKey::ReadOnly)) {
        stored = assignment.ReadDwordOr(kUnnamedValue, 0);
    }

    const ShellButton shell = ReadShellButton(keys, keyName, images);

    for (DWORD hold = 0; hold <= (holdRows ? 1u : 0u); ++hold) {
        ButtonRow* row = new ButtonRow();
        row->keyName = keyName;
        row->shellText = shell.shellText;
        row->code = hold ? stored >> 16 : stored & 0xFFFF;
        row->hold = hold;
        row->noChange = row->code == kCodeNoChange;
        std::wstring text = hold ? shell.name + ResourceText(IDS_BUTTONS_HOLD_SUFFIX) : shell.name;
        // The list sorts its rows, so a button's press-and-hold row follows its short one.
        int index = InsertRow(text.c_str(), shell.image, row);
        if (index < 0) {
            delete row;
            continue;
        }
        ShowAssignment(index, *row);
    }
}

int ButtonsPage::InsertRow(LPCWSTR text, int image, ButtonRow* row)
{
    HWND list = List();
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    item.pszText = const_cast<LPWSTR>(text);
    item.iImage = image;
    item.lParam = reinterpret_cast<LPARAM>(row);
    return static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

bool ButtonsPage::RowAt(int index, ButtonRow** row) const
{
    LVITEMW item = {};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    if (!SendMessageW(List(), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return false;
    *row = reinterpret_cast<ButtonRow*>(item.lParam);
    return true;
}

void ButtonsPage::ShowAssignment(int index, const ButtonRow& row)
{
    LVITEMW item = {};
    item.iSubItem = 1;
    item.pszText = const_cast<LPWSTR>(AssignmentText(row));
    SendMessageW(List(), LVM_SETITEMTEXTW, index, reinterpret_cast<LPARAM>(&item));
}

BOOL ButtonsPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDC_BUTTONS_ASSIGNMENT_COMBO && HIWORD(wParam) == CBN_SELCHANGE) {
        ApplyChoice();
        return TRUE;
    }
    return PropertyPage::OnCommand(wParam, lParam);
}

BOOL ButtonsPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    // Only these two notifications carry a whole NMLISTVIEW; the list sends others (clicks,
    // focus, drawing) whose records are shorter or shaped otherwise.
    const bool listChange = header && header->idFrom == IDC_BUTTONS_LIST &&
                            (header->code == static_cast<UINT>(LVN_ITEMCHANGING) ||
                             header->code == static_cast<UINT>(LVN_DELETEITEM));
    if (listChange) {
        const NMLISTVIEW* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
        const ButtonRow* row = reinterpret_cast<const ButtonRow*>(change->lParam);
        if (header->code == static_cast<UINT>(LVN_ITEMCHANGING)) {
            // The row losing the selection reports too, and may well report last; the box
            // follows only the row that is selected, whatever the order.
            if ((change->uChanged & LVIF_STATE) && (change->uNewState & LVIS_SELECTED)) {
                int index = row ? ActionIndex(row->code) : -1;
                controls::SelectComboIndex(hwnd, IDC_BUTTONS_ASSIGNMENT_COMBO, index < 0 ? 0 : index);
            }
            *result = FALSE;
            return TRUE;
        }
        // However the list goes (the sheet cancelled, the window destroyed), its rows' records go too.
        if (header->code == static_cast<UINT>(LVN_DELETEITEM)) delete row;
    }
    return PropertyPage::OnNotify(wParam, lParam, result);
}

void ButtonsPage::ApplyChoice()
{
    const DWORD choice = controls::ComboSelection(hwnd, IDC_BUTTONS_ASSIGNMENT_COMBO);
    if (choice == static_cast<DWORD>(CB_ERR)) return;
    const DWORD code =
        static_cast<DWORD>(SendDlgItemMessageW(hwnd, IDC_BUTTONS_ASSIGNMENT_COMBO, CB_GETITEMDATA, choice, 0));

    const int selected = static_cast<int>(SendMessageW(List(), LVM_GETSELECTIONMARK, 0, 0));
    ButtonRow* row = NULL;
    if (selected < 0 || !RowAt(selected, &row) || !row) return;
    row->code = code;
    row->noChange = code == kCodeNoChange;
    ShowAssignment(selected, *row);

    if (hostContext.holdUnsupported) return;
    ButtonRow* twin = NULL;
    int index = 0;
    for (;; ++index) {
        if (!RowAt(index, &twin)) return;
        if (index != selected && twin && twin->keyName == row->keyName) break;
    }
    // A button is either left to the shell on both rows or taken over on both.
    if (twin->noChange == row->noChange) return;
    twin->noChange = row->noChange;
    twin->code = twin->noChange ? kCodeNoChange : kCodeNone;
    ShowAssignment(index, *twin);
}

void ButtonsPage::OnOK()
{
    SettingsKey settings;
    settings.Create(NULL, NULL);
    // Without a selection this stores 0.
    settings.WriteDword(IDS_VALUE_SCROLL_LINE_AMOUNT, controls::ComboSelection(hwnd, IDC_BUTTONS_SCROLL_AMOUNT_COMBO) + 1);
    settings.WriteDword(IDS_VALUE_HOT_KEY_INTERVAL,
                        static_cast<DWORD>(controls::TrackbarPosition(hwnd, IDC_BUTTONS_INTERVAL_TRACKBAR)));
    SaveAssignments();
    PropertyPage::OnOK();
}

void ButtonsPage::SaveAssignments()
{
    // List order puts a button's short-press row before its press-and-hold row, so the two
    // codes end up side by side in the one stored value.
    ButtonRow* row = NULL;
    for (int index = 0; RowAt(index, &row); ++index) {
        if (!row) continue;
        SettingsKey assignment;
        if (!assignment.Create(AssignmentSection(row->keyName).c_str(), NULL)) continue;
        const DWORD stored = assignment.ReadDwordOr(kUnnamedValue, 0);
        assignment.WriteDword(kUnnamedValue, PackAssignment(stored, row->code, row->hold != 0));
    }
}

void ButtonsPage::EndDialog(INT_PTR result)
{
    ReleaseRows();
    PropertyPage::EndDialog(result);
}

void ButtonsPage::ReleaseRows()
{
    ButtonRow* row = NULL;
    for (int index = 0; RowAt(index, &row); ++index) {
        if (!row) continue;
        // Cleared first, so that nothing reaches the record through the row afterwards.
        LVITEMW item = {};
        item.mask = LVIF_PARAM;
        item.iItem = index;
        item.lParam = 0;
        SendMessageW(List(), LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        delete row;
    }
}
