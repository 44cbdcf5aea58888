#include "framework/ScrollBarRoom.h"

#include <algorithm>

#include "framework/Dpi.h"
#include "framework/Gdi.h"

namespace layout {

namespace {

// The space left between the controls and the bar (96-dpi pixels): none, as the bar's own
// edge sets it off.
const int kBarGap = 0;
// Nothing moves closer to the page's left edge than this, unless it already lay closer.
const int kLeftMargin = 2;
// Controls drawn touching or overlapping by this much (an up-down and its buddy) are still
// neighbours in a row, left and right of each other.
const int kNeighbourOverlap = 3;
// Neighbours squeezed together keep this much between them, or what they had when less.
const int kClosestNeighbours = 2;

struct Control {
    HWND window;
    RECT rc;       // as laid out, in the page's client coordinates
    int minWidth;  // as narrow as it may become without cutting what it shows
    int textWidth; // as narrow as its text allows, for a label or button
    bool labelled; // a label or button, which moves rather than narrows
    bool wraps;    // a label that breaks its text into lines, or a check box that may
    int inset;     // where a button's text begins: past its check mark
    bool combo;
    bool box;      // an edit or combo box, which shows less of its text narrower
    int left;      // where it ends up
    int width;
};

bool IsClass(HWND window, const wchar_t* name)
{
    wchar_t className[32] = L"";
    GetClassNameW(window, className, 32);
    return lstrcmpiW(className, name) == 0;
}

// How wide the texts are in the control's font; the longest counts.
class TextMeasure {
public:
    explicit TextMeasure(HWND control) : control(control), dc(GetDC(control)), old(NULL)
    {
        if (dc) old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    }
    ~TextMeasure()
    {
        if (!dc) return;
        SelectObject(dc, old);
        ReleaseDC(control, dc);
    }
    TextMeasure(const TextMeasure&) = delete;
    TextMeasure& operator=(const TextMeasure&) = delete;

    // Null when it cannot be measured.
    bool Valid() const { return dc != NULL; }
    HDC Dc() const { return dc; }
    int Width(const wchar_t* text, int length)
    {
        SIZE extent = {};
        GetTextExtentPoint32W(dc, text, length, &extent);
        return extent.cx;
    }

    // The rectangle the text takes broken into lines at the rectangle's width.
    bool Lines(const wchar_t* text, int length, RECT* rc)
    {
        return DrawTextW(dc, text, length, rc, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS) != 0;
    }

private:
    HWND control;
    HDC dc;
    HGDIOBJ old;
};

const int kTextLength = 128;

// The width a combo box needs to show its widest item beside its button. A box whose items
// are wider than it is already shows them in full in its list only, which keeps its width.
int ComboNeeds(HWND combo, int width)
{
    const int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    TextMeasure measure(combo);
    if (!measure.Valid()) return width;
    int widest = 0;
    wchar_t text[kTextLength];
    for (int i = 0; i < count; ++i) {
        const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, i, 0);
        if (length < 0 || length >= kTextLength) return width / 2;
        SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        widest = std::max(widest, measure.Width(text, static_cast<int>(length)));
    }
    // The box's borders and the text's margins either side, and the button.
    const int needs = widest + GetSystemMetrics(SM_CXVSCROLL) + dpi::ScaleX(12);
    return needs > width ? width / 2 : needs;
}

// The width a list in report view needs to show its columns whole beside its own scroll bar:
// narrower, it scrolls sideways, and the bar that takes may leave a short list no room for a
// row. A list whose columns are wider than it is scrolls sideways already, and narrows to half.
int ListNeeds(HWND list, int width)
{
    HWND header = ListView_GetHeader(list);
    const int columns = header ? Header_GetItemCount(header) : 0;
    if ((GetWindowLongW(list, GWL_STYLE) & LVS_TYPEMASK) != LVS_REPORT || columns <= 0) return width / 2;
    int total = 0;
    for (int i = 0; i < columns; ++i) total += ListView_GetColumnWidth(list, i);
    RECT client;
    GetClientRect(list, &client);
    // Its borders and its vertical scroll bar, where it shows one.
    const int needs = total + width - client.right;
    return needs > width ? width / 2 : std::max(needs, width / 2);
}

// The width the control's own text needs: an edit box's text with its margins and borders,
// a label's or button's text with its check mark and the ink that may reach past the
// measured width.
int TextNeeds(HWND window, int width, int extra)
{
    wchar_t text[kTextLength];
    const int length = GetWindowTextW(window, text, kTextLength);
    if (length <= 0) return 0;
    if (length >= kTextLength - 1) return width;
    int shown = 0;
    for (int i = 0; i < length; ++i)
        if (text[i] != L'&') text[shown++] = text[i];
    TextMeasure measure(window);
    if (!measure.Valid()) return width;
    return std::min(width, measure.Width(text, shown) + extra);
}

// The narrowest a label may become while its text still breaks into the lines its height
// holds, down to half its width.
int WrapNeeds(HWND label, int width, int height)
{
    wchar_t text[kTextLength];
    const int length = GetWindowTextW(label, text, kTextLength);
    if (length <= 0) return 0;
    TextMeasure measure(label);
    if (length >= kTextLength - 1 || !measure.Valid()) return width;
    // With the ink that may reach past the measured width, as TextNeeds allows.
    const int ink = dpi::ScaleX(4);
    int fits = width - ink, tooNarrow = width / 2;
    while (fits - tooNarrow > 1) {
        const int middle = (fits + tooNarrow) / 2;
        RECT rc = {0, 0, middle, 0};
        // A word wider than the width widens the rectangle rather than break.
        if (measure.Lines(text, length, &rc) && rc.bottom <= height && rc.right <= middle) fits = middle;
        else tooNarrow = middle;
    }
    return std::min(width, fits + ink);
}

void Measure(Control& control)
{
    const HWND window = control.window;
    const int width = control.width;
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    control.minWidth = width;
    control.textWidth = width;
    if (IsClass(window, L"ComboBox")) {
        control.combo = true;
        control.box = true;
        control.minWidth = ComboNeeds(window, width);
    } else if (IsClass(window, L"Edit")) {
        control.box = true;
        // Text that scrolls within its box shows its content narrower, down to half.
        if (style & ES_AUTOHSCROLL) control.minWidth = std::max(width / 2, TextNeeds(window, width, dpi::ScaleX(8)));
    } else if (IsClass(window, L"SysListView32")) {
        control.minWidth = ListNeeds(window, width);
    } else if (IsClass(window, L"msctls_trackbar32")) {
        // A slider's track is as usable shorter.
        control.minWidth = width / 2;
    } else if (IsClass(window, L"Static")) {
        // A rule is as much a rule shorter.
        const LONG type = style & SS_TYPEMASK;
        if (type == SS_BITMAP) {
            control.minWidth = width / 2;
        } else {
            control.labelled = true;
            if (type == SS_LEFT || type == SS_LEFTNOWORDWRAP || type == SS_SIMPLE)
                control.textWidth = TextNeeds(window, width, dpi::ScaleX(4));
            control.wraps = type == SS_LEFT;
            // A label of several lines narrows, keeping its place in the row (an indented note
            // stays indented), as far as its lines still hold its text.
            if (control.wraps) {
                control.minWidth = WrapNeeds(window, width, control.rc.bottom - control.rc.top);
                control.textWidth = std::min(control.textWidth, control.minWidth);
            }
        }
    } else if (IsClass(window, L"Button")) {
        const LONG type = style & BS_TYPEMASK;
        const int mark = type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON ? 0 : GetSystemMetrics(SM_CXMENUCHECK);
        control.labelled = true;
        if (type != BS_OWNERDRAW && type != BS_GROUPBOX) control.textWidth = TextNeeds(window, width, mark + dpi::ScaleX(8));
        // A check box or radio button cut short breaks its text into lines, where it has room.
        control.wraps = mark > 0 && type != BS_GROUPBOX && type != BS_OWNERDRAW;
        control.inset = mark + dpi::ScaleX(8);
    }
}

bool SameRow(const RECT& a, const RECT& b)
{
    return a.top < b.bottom && b.top < a.bottom;
}

bool Neighbours(const Control& left, const Control& right, int overlap)
{
    return SameRow(left.rc, right.rc) && right.rc.left >= left.rc.right - overlap;
}

// Places the row's controls, sorted from the right, so that each ends left of `limit` and of
// its right neighbours, as far as they can give way. Labels and buttons give up the room
// their text leaves, and neighbours come closer, only when `squeeze`. Returns how many pixels
// the row lacks: 0 when all found room without cutting what they show.
int Place(std::vector<Control*>& row, int limit, bool squeeze)
{
    const int overlap = dpi::ScaleX(kNeighbourOverlap);
    const int closest = dpi::ScaleX(kClosestNeighbours);
    int lacks = 0;
    for (size_t i = 0; i < row.size(); ++i) {
        Control& control = *row[i];
        control.left = control.rc.left;
        control.width = control.rc.right - control.rc.left;
        int end = limit;
        for (size_t j = 0; j < i; ++j) {
            const Control& neighbour = *row[j];
            if (!Neighbours(control, neighbour, overlap)) continue;
            int distance = neighbour.rc.left - control.rc.right;
            if (squeeze && distance > closest) distance = closest;
            end = std::min<int>(end, neighbour.left - distance);
        }
        int excess = control.rc.right - end;
        if (excess <= 0) continue;
        const int narrowest = !control.labelled ? control.minWidth
                              : squeeze         ? control.textWidth
                              : control.wraps && !control.inset ? control.minWidth
                                                : control.width;
        const int narrowed = std::max(0, std::min(excess, control.width - narrowest));
        control.width -= narrowed;
        excess -= narrowed;
        control.left -= excess;
        // A control with no room left to move into is narrowed after all.
        const int leftmost = std::min<int>(control.rc.left, dpi::ScaleX(kLeftMargin));
        if (control.left < leftmost) {
            control.width -= leftmost - control.left;
            control.left = leftmost;
            const int needs = control.labelled ? control.textWidth : control.minWidth;
            if (control.width < needs) lacks += needs - control.width;
        }
    }
    return lacks;
}

// A label narrower than its text breaks it into more lines, and so does a check box given
// them: it grows down by the lines it needs where nothing lies below it. Returns how much it
// grew.
int RoomForLines(const std::vector<Control>& controls, const Control& label)
{
    wchar_t text[kTextLength];
    const int length = GetWindowTextW(label.window, text, kTextLength);
    if (length <= 0 || length >= kTextLength - 1) return 0;
    TextMeasure measure(label.window);
    if (!measure.Valid()) return 0;
    RECT needs = {0, 0, label.width - label.inset, 0};
    if (!measure.Lines(text, length, &needs)) return 0;
    const int grown = needs.bottom - (label.rc.bottom - label.rc.top);
    if (grown <= 0) return 0;
    const RECT below = {label.left, label.rc.bottom, label.left + label.width, label.rc.bottom + grown};
    for (const Control& other : controls) {
        if (&other == &label) continue;
        const RECT placed = {other.left, other.rc.top, other.left + other.width, other.rc.bottom};
        RECT common;
        if (IntersectRect(&common, &placed, &below)) return 0;
    }
    return grown;
}

// The page's children, or its visible ones only, each with its place in the page's client
// coordinates: one look at each, however often the callers compare them.
std::vector<Control> Measured(HWND page, const std::vector<HWND>& children, bool visibleOnly)
{
    std::vector<Control> controls;
    for (HWND child : children) {
        if (visibleOnly && !(GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE)) continue;
        Control control = {};
        control.window = child;
        GetWindowRect(child, &control.rc);
        MapWindowPoints(NULL, page, reinterpret_cast<POINT*>(&control.rc), 2);
        control.width = control.rc.right - control.rc.left;
        controls.push_back(control);
    }
    return controls;
}

bool IsCheckOrRadio(HWND window)
{
    if (!IsClass(window, L"Button")) return false;
    switch (GetWindowLongW(window, GWL_STYLE) & BS_TYPEMASK) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
        return true;
    }
    return false;
}

}  // namespace

std::vector<GivenWay> GiveWayLeftOf(HWND page, const std::vector<HWND>& children, int right)
{
    std::vector<Control> controls = Measured(page, children, true);
    // From the right: every control is placed after those it may have to push.
    // A page has a few dozen controls: an insertion sort keeps equal ones in their order, and
    // unlike the library's stable sort brings no kilobytes of merge code into the DLL.
    for (size_t i = 1; i < controls.size(); ++i) {
        const Control moving = controls[i];
        size_t j = i;
        for (; j > 0 && controls[j - 1].rc.left < moving.rc.left; --j) controls[j] = controls[j - 1];
        controls[j] = moving;
    }
    const int limit = right - dpi::ScaleX(kBarGap);
    bool reaches = false;
    for (Control& control : controls) {
        if (control.rc.right <= limit) continue;
        reaches = true;
        break;
    }
    std::vector<GivenWay> changes;
    if (!reaches) return changes;
    for (Control& control : controls) Measure(control);
    // A row is the controls side by side, linked neighbour to neighbour. Its labels and
    // buttons move first; they use the room their text leaves only where moving is not enough.
    const int overlap = dpi::ScaleX(kNeighbourOverlap);
    std::vector<int> rowOf(controls.size());
    for (size_t i = 0; i < controls.size(); ++i) rowOf[i] = static_cast<int>(i);
    for (size_t i = 0; i < controls.size(); ++i)
        for (size_t j = 0; j < i; ++j) {
            if (!Neighbours(controls[i], controls[j], overlap)) continue;
            const int from = rowOf[i], to = rowOf[j];
            for (int& row : rowOf)
                if (row == from) row = to;
        }
    for (size_t first = 0; first < controls.size(); ++first) {
        if (rowOf[first] != static_cast<int>(first)) continue;
        std::vector<Control*> row;
        for (size_t i = 0; i < controls.size(); ++i)
            if (rowOf[i] == static_cast<int>(first)) row.push_back(&controls[i]);
        if (!Place(row, limit, false)) continue;
        int lacks = Place(row, limit, true);
        // Where that is not enough, a label would be cut or broken into lines it has no room
        // for: the boxes narrow first, past their widest item (their lists stay as wide and
        // show every item whole), as far as half their width, by what the row lacks.
        if (lacks > 0) {
            for (Control* control : row) {
                if (control->labelled || !control->box) continue;
                const int width = control->rc.right - control->rc.left;
                const int given = std::min(lacks, control->minWidth - std::min(control->minWidth, width / 2));
                control->minWidth -= given;
                lacks -= given;
            }
            Place(row, limit, true);
        }
    }

    for (const Control& control : controls) {
        const int width = control.rc.right - control.rc.left;
        if (control.left == control.rc.left && control.width == width) continue;
        GivenWay change = {control.window, control.rc.left - control.left, width - control.width, 0, 0, false};
        if (control.wraps && control.width < control.textWidth) change.grown = RoomForLines(controls, control);
        // A button draws its text on one line unless told otherwise.
        const LONG style = GetWindowLongW(control.window, GWL_STYLE);
        if (change.grown > 0 && control.inset && !(style & BS_MULTILINE)) {
            SetWindowLongW(control.window, GWL_STYLE, style | BS_MULTILINE);
            change.multiline = true;
        }
        // A narrowed combo box keeps its list as wide as it was, which shows its items whole.
        if (control.combo && control.width < width) {
            change.droppedWidth = static_cast<int>(SendMessageW(control.window, CB_GETDROPPEDWIDTH, 0, 0));
            SendMessageW(control.window, CB_SETDROPPEDWIDTH, std::max(width, change.droppedWidth), 0);
        }
        SetWindowPos(control.window, NULL, control.left, control.rc.top, control.width,
                     control.rc.bottom - control.rc.top + change.grown, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
        changes.push_back(change);
    }
    // The page does not clip its children: what they covered before is drawn again.
    if (!changes.empty()) RedrawWindow(page, NULL, NULL, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
    return changes;
}

void FitLabelsToTheirText(HWND page, const std::vector<HWND>& children)
{
    RECT client = {};
    GetClientRect(page, &client);
    const std::vector<Control> controls = Measured(page, children, true);
    // Every label is measured in its own font on the page's device context.
    gdi::WindowDC dc(page);
    if (!dc) return;
    for (const Control& control : controls) {
        const HWND label = control.window;
        const LONG style = GetWindowLongW(label, GWL_STYLE);
        if (!IsClass(label, L"Static") || (style & SS_TYPEMASK) != SS_LEFT) continue;
        wchar_t text[kTextLength];
        const int length = GetWindowTextW(label, text, kTextLength);
        if (length <= 0 || length >= kTextLength - 1) continue;
        int inked = length;
        while (inked > 0 && text[inked - 1] == L' ') --inked;
        const RECT& rc = control.rc;
        const int height = rc.bottom - rc.top;
        gdi::Selection font(dc.Get(), reinterpret_cast<HGDIOBJ>(SendMessageW(label, WM_GETFONT, 0, 0)));
        // Drawn as the label draws it, broken into lines at its width; on one line, with and
        // without the trailing blanks.
        const UINT flags = DT_CALCRECT | DT_EXPANDTABS | ((style & SS_NOPREFIX) ? DT_NOPREFIX : 0);
        RECT lines = {0, 0, rc.right - rc.left, 0}, line = {}, ink = {};
        if (!DrawTextW(dc.Get(), text, length, &lines, flags | DT_WORDBREAK) ||
            !DrawTextW(dc.Get(), text, length, &line, flags | DT_SINGLELINE) ||
            !DrawTextW(dc.Get(), text, inked, &ink, flags | DT_SINGLELINE))
            continue;
        // Its neighbour in the row: a control starting in the label's right half, which the
        // templates' rounding to whole pixels may make it overlap by a pixel. Labels only
        // change their widths here, so where the others begin stays as first seen.
        int room = client.right;
        for (const Control& other : controls) {
            if (&other == &control) continue;
            if (SameRow(rc, other.rc) && 2 * other.rc.left > rc.left + rc.right) room = std::min<int>(room, other.rc.left);
        }
        room -= rc.left;
        // Overlapping it, the label's blank end would cover the neighbour's edge whenever the
        // label is drawn after it (as a scrolled page draws them): it ends where that begins.
        if (rc.right - rc.left > room && lines.bottom <= height && line.right <= room) {
            SetWindowPos(label, NULL, 0, 0, room, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            continue;
        }
        if (lines.bottom <= height || line.bottom > height) continue;
        if (line.right <= room) {
            SetWindowPos(label, NULL, 0, 0, line.right, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        } else if (ink.right <= room) {
            // Only its trailing blanks, which show nothing, reach past the room: it is drawn
            // on one line, as a label of one line's height means it to be.
            SetWindowLongW(label, GWL_STYLE, (style & ~SS_TYPEMASK) | SS_LEFTNOWORDWRAP);
            SetWindowPos(label, NULL, 0, 0, room, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
}

void ClipOverlappingControls(HWND page, const std::vector<HWND>& children)
{
    const std::vector<Control> controls = Measured(page, children, false);
    for (size_t i = 1; i < controls.size(); ++i) {
        for (size_t above = 0; above < i; ++above) {
            RECT shared = {};
            if (IntersectRect(&shared, &controls[i].rc, &controls[above].rc) && IsCheckOrRadio(controls[above].window)) {
                const HWND child = controls[i].window;
                SetWindowLongW(child, GWL_STYLE, GetWindowLongW(child, GWL_STYLE) | WS_CLIPSIBLINGS);
                break;
            }
        }
    }
}

void TakeBack(HWND page, std::vector<GivenWay>& changes)
{
    if (changes.empty()) return;
    for (const GivenWay& change : changes) {
        if (!IsWindow(change.control)) continue;
        RECT rc;
        GetWindowRect(change.control, &rc);
        MapWindowPoints(NULL, page, reinterpret_cast<POINT*>(&rc), 2);
        SetWindowPos(change.control, NULL, rc.left + change.moved, rc.top, rc.right - rc.left + change.narrowed,
                     rc.bottom - rc.top - change.grown, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
        if (change.droppedWidth > 0) SendMessageW(change.control, CB_SETDROPPEDWIDTH, change.droppedWidth, 0);
        if (change.multiline)
            SetWindowLongW(change.control, GWL_STYLE, GetWindowLongW(change.control, GWL_STYLE) & ~BS_MULTILINE);
    }
    changes.clear();
    RedrawWindow(page, NULL, NULL, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

}  // namespace layout
