// Input as a person gives it: taps on the screen and key presses, injected as hardware input
// (SendInput) so that the window under the stylus is found by hit-testing, the tapped window
// is activated and takes the focus, and keys go to whatever has the focus then. Nothing is
// sent to a chosen window: a tap that misses lands where it lands.
//
// Each call returns once the input has been handled: it pumps this thread's messages the way
// the modal loop of the dialog under the input does, until nothing but timers is left.
#pragma once

#include <windows.h>

#include <string>

namespace realinput {

// A tap with the stylus at a screen point: down, then up, at the same place.
void TapAt(int x, int y);
// A tap at the centre of a window's visible part.
void TapWindow(HWND window);
// Types the text key by key as a keyboard would, with Shift where a character needs it.
// L'\b' presses Backspace, L'\n' or L'\r' Enter, L'\t' Tab.
void PressKeys(const std::wstring& text);
// Types the text as fast as a keyboard can: every character one keyboard packet, sent at once.
void TypeAtOnce(const std::wstring& text);
// One key, down and up (a virtual-key code such as VK_DOWN).
void PressKey(WORD virtualKey);
// Handles the input and whatever it set off, as the dialogs' own loops would.
void Settle();

// The last steps of the script (taps, keys, waits that ran to their limit, oracle steps), for
// a watchdog to say where a hung test was.
void NoteStep(const std::string& step);
std::string RecentSteps();

}  // namespace realinput
