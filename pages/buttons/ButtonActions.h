// The functions a hardware button can be given, how the shell's key describes a button,
// and how a button's two codes share one stored value.
#pragma once

#include <string>

#include "pocketpc/PocketPC.h"
#include "settings/RegKey.h"

struct ButtonAction {
    DWORD code;      // what the host runs when the button is pressed
    UINT labelId;
    LPCWSTR label;   // the text of labelId, filled by LoadButtonLabels
};

// Code 0 leaves the button to the shell; every other code takes the button over.
const DWORD kCodeNoChange = 0x00;
const DWORD kCodeNone = 0x01;

// In the order of the assignment combo box, which is not the order of the codes.
const int kButtonActionCount = 29;
extern ButtonAction ButtonActionTable[kButtonActionCount];

// The shell's built-in button functions, indexed by its "Flags" value minus 1.
const int kShellFlagCount = 12;
extern LPCWSTR ShellFlagLabels[kShellFlagCount];

// Fills the labels of both tables from the string table.
void LoadButtonLabels();

// The label of the first row with the code; "<No Change>" for a code the table lacks.
LPCWSTR ActionLabel(DWORD code);
// The index of the first row with the code, or -1.
int ActionIndex(DWORD code);

// A hardware button as the shell's key describes it.
struct ShellButton {
    std::wstring name;
    std::wstring shellText;  // what the shell does with the button
    int image;               // its picture in the page's image list
};

// Reads the button's subkey of the open shell "Keys" key and adds exactly one picture for it
// to the image list. A subkey that cannot be opened gives an empty name and shell text.
ShellButton ReadShellButton(RegKey& keys, const std::wstring& keyName, HIMAGELIST images);

// What the shell shows for the program it starts: the file name without folder and extension.
std::wstring ProgramShellText(LPCWSTR program);
// "<label>" for a built-in function, empty for a value that names none.
std::wstring FlagsShellText(DWORD flags);

// A button's stored value: its short-press code in bits 0 to 15, its press-and-hold code in
// bits 16 to 31. Returns the value after writing one row's code over the stored one.
DWORD PackAssignment(DWORD stored, DWORD code, bool hold);
