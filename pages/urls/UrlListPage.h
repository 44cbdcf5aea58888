// The editor shared by the "URL Alias" and "URL Service" pages: the list's rows in a list
// view, buttons to add, remove, move and restore them, and edit boxes and check boxes that
// always show the row being edited. Each page runs it with its own parameter set.
#pragma once

#include <string>

#include "framework/PropertyPage.h"
#include "pages/urls/UrlList.h"

struct UrlListPageParameters {
    UINT templateId;
    LPCWSTR subkey;            // the list's subkey of the settings key
    bool hasExpandKey;         // the "Expand Key:" combo box and its "AliasExpandKey" value
    UINT textColumnTitleId;    // column 1: the alias or the name
    int textColumnWidth;
    int urlColumnWidth;
    int textLabelId;
    int textEditId;
    int firstFlagBoxId;        // flag position 1
    wchar_t firstFlagLetter;
    int secondFlagBoxId;       // flag position 2
    wchar_t secondFlagLetter;
    bool firstFlagUnique;      // at most one row may carry the first flag
    bool lowerText;            // the text is kept in lower case
    UINT newRowTextId;         // column 1 of a row made by "Add"
    UINT defaultsFirstId;      // the built-in list, for "Default"
};

extern const UrlListPageParameters kAliasPageParameters;
extern const UrlListPageParameters kServicePageParameters;

class UrlListPage : public PropertyPage {
public:
    explicit UrlListPage(const UrlListPageParameters& parameters);
    ~UrlListPage() override;

    BOOL OnInitDialog(WPARAM wParam, LPARAM lParam) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    BOOL OnSettingChange(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;

    // The editing operations, each as a tap on its control does it.
    void AddRow();
    void RemoveRow();
    void MoveRow(bool up);
    void RestoreDefaultRows();
    void SetFlagFromBox(int boxId);
    void StoreEditText(int editId);
    void ShowCurrentRow();
    // Keeps the list view and the controls below it clear of the input panel.
    void FitToInputPanel();

    int CurrentRow() const { return currentRow; }

protected:
    HWND List() const;
    int RowCount() const;
    std::wstring RowText(int row, int column) const;
    void SetRowText(int row, int column, const std::wstring& text);
    void AppendRows(const UrlList& entries);
    void ShowHint();

    const UrlListPageParameters& parameters;
    void OnSize(int width, int height) override;

    int currentRow;
    int initialListHeight;
    int initialListWidth;
    int initialUrlEditWidth;
    int initialPageWidth;
};
