// "Buttons": the device's hardware buttons, what the shell does with each, and the browser or
// add-on function given to its short press and its press-and-hold; also the scroll amount of
// one line step and the press-and-hold interval.
#pragma once

#include <string>

#include "include/corvane_options.h"
#include "framework/PropertyPage.h"
#include "resource.h"
#include "settings/RegKey.h"

// The record behind one row of the button list; the row's parameter points to it and the
// page owns it.
struct ButtonRow {
    std::wstring keyName;    // the shell's subkey of the button, shared by its two rows
    std::wstring shellText;  // what the shell does with the button when the add-on leaves it
    DWORD code;              // the add-on's function for this row
    DWORD hold;              // 0 for the short press, 1 for press-and-hold
    DWORD noChange;          // 1 exactly when code is 0
};

class ButtonsPage : public PropertyPage {
public:
    // The page's dialog template and its place in the sheet.
    enum { IDD = IDD_BUTTONS, Index = CORVANE_PAGE_BUTTONS };

    ButtonsPage();
    ~ButtonsPage() override;

    BOOL OnInitDialog(WPARAM wParam, LPARAM lParam) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnOK() override;
    void EndDialog(INT_PTR result) override;

private:
    // Gives the selected row the function chosen in the combo box, and keeps its twin row
    // either left to the shell along with it or taken over along with it.
    void ApplyChoice();

    void FillButtonList();
    void AddButton(RegKey& keys, const std::wstring& keyName, HIMAGELIST images, bool holdRows);
    int InsertRow(LPCWSTR text, int image, ButtonRow* row);
    // The row's record; false when the list has no such row.
    bool RowAt(int index, ButtonRow** row) const;
    void ShowAssignment(int index, const ButtonRow& row);
    void SaveAssignments();
    void ReleaseRows();
    HWND List() const { return Control(IDC_BUTTONS_LIST); }
};
