// Start-up benchmark of the settings program (not a test: it prints figures and judges
// nothing). Starts the programs named on the command line in turn, A B C A B C ..., in one
// Wine prefix, times each from its start until its main window is on screen, then ends it.
//
//   vx_startup_bench.exe [--runs N] [--warmup N] LABEL=PATH ...
//
// PATH is a Windows path. The labels "empty" and "floor" name the two floors (an empty
// dialog; our dialogs, menu and bars with no logic); every other program is compared
// with both. Two moments are taken per run:
//   shown    the main window (a dialog titled as ours, of the started process) is visible;
//   painted  shown, and neither it nor anything visible in it waits for painting: the
//            window is complete on screen.
// Printed: per program the median, minimum and maximum of both, in milliseconds; per
// compared program the ratio of the medians of "painted" to each floor, and the median,
// minimum and maximum of the ratio taken round by round (the spread says how noisy the
// machine was).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <memory>
#include <string>
#include <vector>

namespace {

const wchar_t kTitle[] = L"ZAM QX-K480/330 ベルトリクス";
constexpr DWORD kTimeoutMs = 20000;

struct Program {
    std::wstring label, path;
    std::vector<double> shown, painted;  // ms, one per counted run
};

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

BOOL CALLBACK AddIfVisible(HWND child, LPARAM list) {
    if (IsWindowVisible(child)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
    return TRUE;
}

std::vector<HWND> VisibleDescendants(HWND main) {
    std::vector<HWND> shown;
    EnumChildWindows(main, AddIfVisible, reinterpret_cast<LPARAM>(&shown));
    return shown;
}

// Whether the window and every visible window in it have been painted. Looking costs the
// server time the program needs too, and a window rich in controls would pay more for it
// than an empty one: only the windows not yet seen painted are asked again, and the whole
// tree once more at the end.
class PaintWatch {
  public:
    explicit PaintWatch(HWND main) : main_(main) {}
    bool Painted() {
        if (GetUpdateRect(main_, nullptr, FALSE)) return false;
        if (!listed_) {
            pending_ = VisibleDescendants(main_);
            listed_ = true;
        }
        pending_.erase(std::remove_if(pending_.begin(), pending_.end(),
                                      [](HWND w) { return !GetUpdateRect(w, nullptr, FALSE); }),
                       pending_.end());
        if (!pending_.empty()) return false;
        for (HWND w : VisibleDescendants(main_))
            if (GetUpdateRect(w, nullptr, FALSE)) pending_.push_back(w);
        return pending_.empty();
    }

  private:
    HWND main_;
    bool listed_ = false;
    std::vector<HWND> pending_;
};

// One start of `path`: the two moments in ms after the start, false when the window never
// got painted within the time-out. The program is ended afterwards in any case.
bool MeasureOnce(const std::wstring& path, double& shown, double& painted) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::wstring commandLine = L"\"" + path + L"\"";
    const std::wstring folder = path.substr(0, path.find_last_of(L'\\') + 1);
    const double start = Now();
    if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &si, &pi)) {
        std::fwprintf(stderr, L"cannot start %ls (error %lu)\n", path.c_str(), GetLastError());
        return false;
    }
    HWND main = nullptr;
    std::unique_ptr<PaintWatch> watch;
    shown = painted = -1;
    while (Now() - start < kTimeoutMs) {
        if (!main) {
            HWND w = FindWindowW(L"#32770", kTitle);
            DWORD pid = 0;
            if (w && GetWindowThreadProcessId(w, &pid) && pid == pi.dwProcessId) {
                main = w;
                watch = std::make_unique<PaintWatch>(main);
            }
        }
        if (main && shown < 0 && IsWindowVisible(main)) shown = Now() - start;
        if (shown >= 0 && watch->Painted()) {
            painted = Now() - start;
            break;
        }
        if (WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0) break;
        Sleep(1);
    }
    TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, kTimeoutMs);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    if (painted < 0) std::fwprintf(stderr, L"%ls: no painted window\n", path.c_str());
    return painted >= 0;
}

double Median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}
double Min(const std::vector<double>& v) {
    return v.empty() ? 0 : *std::min_element(v.begin(), v.end());
}
double Max(const std::vector<double>& v) {
    return v.empty() ? 0 : *std::max_element(v.begin(), v.end());
}

void PrintRatios(const Program& p, const Program& floor) {
    std::vector<double> perRound;
    for (std::size_t i = 0; i < p.painted.size() && i < floor.painted.size(); ++i)
        perRound.push_back(p.painted[i] / floor.painted[i]);
    std::wprintf(L"  %ls / %ls: %.2f (medians); round by round median %.2f, min %.2f, max %.2f\n",
                 p.label.c_str(), floor.label.c_str(), Median(p.painted) / Median(floor.painted),
                 Median(perRound), Min(perRound), Max(perRound));
}

int Usage() {
    std::fwprintf(stderr,
                  L"usage: vx_startup_bench [--runs N] [--warmup N] LABEL=PATH ...\n"
                  L"       (labels \"empty\" and \"floor\" name the two floors)\n");
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    int runs = 20, warmup = 2;
    std::vector<Program> programs;
    for (int i = 1; i < argc; ++i) {
        const std::wstring a = argv[i];
        if ((a == L"--runs" || a == L"--warmup") && i + 1 < argc) {
            (a == L"--runs" ? runs : warmup) = _wtoi(argv[++i]);
        } else if (a.find(L'=') != std::wstring::npos) {
            programs.push_back({a.substr(0, a.find(L'=')), a.substr(a.find(L'=') + 1), {}, {}});
        } else {
            return Usage();
        }
    }
    if (programs.empty() || runs < 1) return Usage();

    int failures = 0;
    for (int round = 0; round < warmup + runs; ++round) {
        for (Program& p : programs) {
            double shown = 0, painted = 0;
            const bool ok = MeasureOnce(p.path, shown, painted);
            if (!ok) ++failures;
            if (ok && round >= warmup) {
                p.shown.push_back(shown);
                p.painted.push_back(painted);
            }
            Sleep(200);  // the ended process leaves the server first
        }
        std::fwprintf(stderr, L"round %d of %d done\n", round + 1, warmup + runs);
    }

    std::wprintf(
        L"start-up, ms from the process start (%d counted runs each, %d warm-up, "
        L"alternating)\n",
        runs, warmup);
    for (const Program& p : programs) {
        std::wprintf(
            L"%-8ls shown median %6.1f (min %6.1f, max %6.1f)   painted median %6.1f "
            L"(min %6.1f, max %6.1f)  [%zu runs]\n",
            p.label.c_str(), Median(p.shown), Min(p.shown), Max(p.shown), Median(p.painted),
            Min(p.painted), Max(p.painted), p.painted.size());
    }
    const Program* empty = nullptr;
    const Program* floor = nullptr;
    for (const Program& p : programs) {
        if (p.label == L"empty") empty = &p;
        if (p.label == L"floor") floor = &p;
    }
    for (const Program& p : programs) {
        if (&p == empty || &p == floor) continue;
        std::wprintf(L"%ls, painted:\n", p.label.c_str());
        if (floor) PrintRatios(p, *floor);
        if (empty) PrintRatios(p, *empty);
    }
    if (failures) std::wprintf(L"%d runs failed (see above)\n", failures);
    return failures ? 1 : 0;
}
