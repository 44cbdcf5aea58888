#include "BenchHost.h"

#include <commctrl.h>
#include <prsht.h>

#include <cstdio>

namespace bench {
namespace {

const UINT kDriveMessage = WM_APP + 0x2A;

struct Drive {
    std::function<void(HWND)> script;
    HHOOK hook = NULL;
    bool done = false;
};
Drive* drive = nullptr;

std::vector<Cost>* stepCosts = nullptr;
Cost stepStart;
size_t stepIndex = 0;
void StepDone();  // the step since the last one ended

BOOL CALLBACK FindSheet(HWND window, LPARAM found)
{
    if (IsWindowVisible(window) && GetDlgItem(window, 0x3020)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

LRESULT CALLBACK GetMessageHook(int code, WPARAM wParam, LPARAM lParam)
{
    MSG* message = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && message->message == kDriveMessage && !message->hwnd && drive &&
        !drive->done) {
        drive->done = true;
        HWND sheet = NULL;
        EnumThreadWindows(GetCurrentThreadId(), FindSheet, reinterpret_cast<LPARAM>(&sheet));
        StepDone();  // opening
        if (sheet) drive->script(sheet);
        message->message = WM_NULL;
    }
    return CallNextHookEx(NULL, code, wParam, lParam);
}

}  // namespace

namespace {

double Now()
{
    static LARGE_INTEGER frequency = {};
    if (!frequency.QuadPart) QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double ProcessCpu()
{
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto seconds = [](const FILETIME& time) {
        return static_cast<double>((static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

double MedianOf(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

void StepDone()
{
    if (!stepCosts) return;
    const Cost now = {Now(), ProcessCpu()};
    if (stepIndex > 0) {
        if (stepCosts->size() < stepIndex) stepCosts->resize(stepIndex);
        (*stepCosts)[stepIndex - 1].wall += now.wall - stepStart.wall;
        (*stepCosts)[stepIndex - 1].cpu += now.cpu - stepStart.cpu;
    }
    ++stepIndex;
    stepStart = now;
}

}  // namespace

void RecordSteps(std::vector<Cost>* steps)
{
    stepCosts = steps;
}

Cost Median(int runs, const std::function<void()>& measurement)
{
    std::vector<double> walls, cpus;
    for (int i = 0; i < runs; ++i) {
        double wall = Now(), cpu = ProcessCpu();
        measurement();
        walls.push_back(Now() - wall);
        cpus.push_back(ProcessCpu() - cpu);
    }
    Cost cost;
    cost.wall = MedianOf(walls);
    cost.cpu = MedianOf(cpus);
    return cost;
}

void Compare(int runs, const std::function<void()>& first, const std::function<void()>& second, Cost& firstCost,
             Cost& secondCost)
{
    const int rounds = 3;
    firstCost = secondCost = Cost();
    for (int round = 0; round < rounds; ++round) {
        Cost a = Median(runs, first), b = Median(runs, second);
        firstCost.wall += a.wall / rounds;
        firstCost.cpu += a.cpu / rounds;
        secondCost.wall += b.wall / rounds;
        secondCost.cpu += b.cpu / rounds;
    }
}

void DriveSheet(const std::function<void()>& open, const std::function<void(HWND sheet)>& script)
{
    Drive current;
    current.script = script;
    current.hook = SetWindowsHookExW(WH_GETMESSAGE, GetMessageHook, NULL, GetCurrentThreadId());
    drive = &current;
    PostThreadMessageW(GetCurrentThreadId(), kDriveMessage, 0, 0);
    stepIndex = 0;
    StepDone();  // starts the opening
    open();
    StepDone();  // closing
    drive = nullptr;
    UnhookWindowsHookEx(current.hook);
    // A sheet that never asked for a message leaves the marker behind; drop it.
    MSG message;
    while (PeekMessageW(&message, NULL, kDriveMessage, kDriveMessage, PM_REMOVE)) {
    }
}

void VisitAllAndApply(HWND sheet)
{
    HWND tabs = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0));
    int count = static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
    for (int page = 0; page < count; ++page) {
        SendMessageW(sheet, PSM_SETCURSEL, page, 0);
        StepDone();
    }
    SendMessageW(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
    StepDone();
    PostMessageW(sheet, WM_NULL, 0, 0);
}

HWND HostWindow()
{
    static HWND host = CreateWindowExW(0, L"STATIC", L"Corvane bench host", WS_OVERLAPPED, 300, 0, 200, 100, NULL,
                                       NULL, GetModuleHandleW(NULL), NULL);
    return host;
}

void PrintRatio(const char* what, double ratio, const char* goal, bool met)
{
    std::printf("%-58s %6.2fx   goal %-8s %s\n", what, ratio, goal, met ? "met" : "NOT MET");
}

}  // namespace bench
