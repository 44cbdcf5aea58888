// What the process holds, for leak checks that work under Wine, where GetGuiResources
// reports nothing:
// - GDI objects: the live entries of the process's GDI handle table, which the system
//   shares with the process through its PEB (fonts, bitmaps, brushes, DCs, regions; an
//   image list holds its bitmaps and DCs there too);
// - windows: every window of this thread, child windows included;
// - kernel handles: every handle value that names an open object (registry keys too);
// - icons, which are USER objects outside that table: every icon OPTION.dll creates with
//   ExtractIconExW against every one it destroys, counted by hooking its import table.
#pragma once

#include <windows.h>

#include <string>

struct LeakCounts {
    long gdiObjects = 0;
    long windows = 0;
    long kernelHandles = 0;
    long iconsHeld = 0;
};

LeakCounts CountResources();
// Starts counting the icons of the module (idempotent).
void WatchIcons(HMODULE module);
std::string Describe(const LeakCounts& counts);
