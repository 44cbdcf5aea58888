// Shared plumbing of the benchmarks: timing, driving a modal sheet without timers, and
// loading OPTION.dll like the host does.
#pragma once

#include <windows.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace bench {

// What one run cost: wall-clock seconds, and the CPU seconds of this process (user and
// kernel), which other load on the machine hardly disturbs.
struct Cost {
    double wall = 0;
    double cpu = 0;
};

// Runs the measurement `runs` times; the median of each kind of cost.
Cost Median(int runs, const std::function<void()>& measurement);
// Alternates the two measurements in rounds, so drift of the machine hits both alike.
void Compare(int runs, const std::function<void()>& first, const std::function<void()>& second, Cost& firstCost,
             Cost& secondCost);

// Calls open(), which shows a modal property sheet, and runs script on the sheet as soon as
// its modal loop asks for its first message: no timer delays either side of a comparison.
void DriveSheet(const std::function<void()>& open, const std::function<void(HWND sheet)>& script);

// Shows every page of the sheet in turn, then presses OK.
void VisitAllAndApply(HWND sheet);

// Where a driven sheet's time goes: while steps is set, each DriveSheet adds the cost of its
// opening, of each page shown by VisitAllAndApply, of the apply and of the closing, in turn,
// to (*steps)[0], [1], ...
void RecordSteps(std::vector<Cost>* steps);

HWND HostWindow();

void PrintRatio(const char* what, double ratio, const char* goal, bool met);

}  // namespace bench
