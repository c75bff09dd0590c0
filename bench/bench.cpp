// What panorela.dll costs the desktop, measured against floors in the same
// run: the per-event cost of real injected mouse moves (SendInput) processed
// by this thread under six hook configurations in interleaved short rounds,
// and the cost of loading and unloading the library.
//
//   pnr_bench [rounds] [moves-per-round]      the whole benchmark
//   pnr_bench --hold <dll>                    (internal) keeps <dll> loaded
//   pnr_bench --loads <dll>...                load cycles per second of each,
//                                             interleaved (for finding out why)
#include <windows.h>
#include <windowsx.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench_dll.h"
#include "host.h"

namespace {

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct Quartiles {
    double q1, median, q3;
};

Quartiles Summarise(std::vector<double> v) {
    if (v.empty()) return {0, 0, 0};
    std::sort(v.begin(), v.end());
    auto at = [&](double p) {
        const double i = p * (v.size() - 1);
        const size_t lo = static_cast<size_t>(i);
        const size_t hi = std::min(lo + 1, v.size() - 1);
        return v[lo] + (v[hi] - v[lo]) * (i - lo);
    };
    return {at(0.25), at(0.5), at(0.75)};
}

LRESULT CALLBACK BackdropProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
    return DefWindowProcA(wnd, message, wParam, lParam);
}

HWND MakeWindow(const char* className, DWORD style, DWORD exStyle, int x, int y, int w, int h) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = BackdropProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = className;
    RegisterClassA(&wc);
    return CreateWindowExA(exStyle, className, className, style, x, y, w, h, nullptr, nullptr,
                           wc.hInstance, nullptr);
}

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

int g_screenW, g_screenH;

// One injected move, then this thread's message loop until the move has
// reached the backdrop (through every hook on the way).
bool MoveAndWait(HWND backdrop, int x, int y) {
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dx = (x * 65535 + (g_screenW - 1) / 2) / (g_screenW - 1);
    in.mi.dy = (y * 65535 + (g_screenH - 1) / 2) / (g_screenH - 1);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof in);
    const double deadline = Now() + 1.0;
    MSG msg;
    while (Now() < deadline) {
        if (!GetMessageA(&msg, nullptr, 0, 0)) return false;
        DispatchMessageA(&msg);
        if (msg.message == WM_MOUSEMOVE && msg.hwnd == backdrop &&
            GET_X_LPARAM(msg.lParam) == x && GET_Y_LPARAM(msg.lParam) == y)
            return true;
    }
    return false;
}

// The moves of one round: to and fro in the tool-bar's neutral band (rows
// 10 to 28, well inside the screen's width), never twice to the same point.
double TimeMoves(HWND backdrop, int moves, int* lost) {
    const double start = Now();
    for (int i = 0; i < moves; ++i) {
        const int x = 300 + (i % 40) * 10;
        const int y = (i & 1) ? 12 : 24;
        if (!MoveAndWait(backdrop, x, y)) ++*lost;
    }
    return (Now() - start) / moves;
}

struct Config {
    const char* name;
    const char* label;
    std::vector<double> perMove;
};

// A comparison DLL, installed and removed by its two exports.
struct TestDll {
    HMODULE module = nullptr;
    BenchInstallFn install = nullptr;
    BenchRemoveFn remove = nullptr;
    explicit TestDll(const char* file) {
        module = LoadLibraryA(file);
        if (module) {
            install = reinterpret_cast<BenchInstallFn>(GetProcAddress(module, "BenchInstall"));
            remove = reinterpret_cast<BenchRemoveFn>(GetProcAddress(module, "BenchRemove"));
        }
    }
    bool Ok() const { return install && remove; }
};

// Load and unload cycles per second of one DLL, timed over `cycles` cycles.
double CyclesPerSecond(const char* file, int cycles) {
    const double start = Now();
    for (int i = 0; i < cycles; ++i) {
        HMODULE m = LoadLibraryA(file);
        if (!m) return 0;
        FreeLibrary(m);
    }
    return cycles / (Now() - start);
}

PROCESS_INFORMATION StartHolder(const char* dll) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string line = std::string("\"") + self + "\" --hold " + dll;
    STARTUPINFOA si = {sizeof si};
    PROCESS_INFORMATION pi = {};
    CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
    return pi;
}

bool Held(const char* mapName) {
    HANDLE h = OpenFileMappingA(FILE_MAP_READ, FALSE, mapName);
    if (h) CloseHandle(h);
    return h != nullptr;
}

void StopHolder(PROCESS_INFORMATION& pi) {
    if (!pi.hProcess) return;
    TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, 5000);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    pi = {};
}

struct LoadResult {
    std::vector<double> panorela, floor, floorRsrc;
};

LoadResult MeasureLoads(int rounds, int cycles) {
    LoadResult r;
    for (int i = 0; i < rounds; ++i) {
        // Alternate which goes first, so that neither always follows the other.
        if (i & 1) {
            r.floor.push_back(CyclesPerSecond("bench_floor.dll", cycles));
            r.floorRsrc.push_back(CyclesPerSecond("bench_floor_rsrc.dll", cycles));
            r.panorela.push_back(CyclesPerSecond("panorela.dll", cycles));
        } else {
            r.panorela.push_back(CyclesPerSecond("panorela.dll", cycles));
            r.floorRsrc.push_back(CyclesPerSecond("bench_floor_rsrc.dll", cycles));
            r.floor.push_back(CyclesPerSecond("bench_floor.dll", cycles));
        }
    }
    return r;
}

void PrintLoad(const char* what, const LoadResult& r) {
    const Quartiles p = Summarise(r.panorela), f = Summarise(r.floor), fr = Summarise(r.floorRsrc);
    printf("  %s\n", what);
    printf("    panorela.dll                         %6.0f/s [%6.0f .. %6.0f]\n", p.median, p.q1, p.q3);
    printf("    floor (b2)                           %6.0f/s [%6.0f .. %6.0f]\n", f.median, f.q1, f.q3);
    printf("    floor (b2) + panorela-sized resource %6.0f/s [%6.0f .. %6.0f]\n", fr.median, fr.q1, fr.q3);
    printf("    load cost panorela/(b2) %.3f (target <= 1.10); panorela/(b2 + resource) %.3f\n",
           f.median / p.median, fr.median / p.median);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && strcmp(argv[1], "--hold") == 0) {
        if (!LoadLibraryA(argv[2])) return 1;
        Sleep(INFINITE);
    }
    setvbuf(stdout, nullptr, _IONBF, 0);
    if (argc > 2 && strcmp(argv[1], "--loads") == 0) {
        std::vector<std::vector<double>> rates(argc - 2);
        for (int round = 0; round < 15; ++round)
            for (int i = 0; i < argc - 2; ++i) {
                const int k = (i + round) % (argc - 2);
                rates[k].push_back(CyclesPerSecond(argv[k + 2], 200));
            }
        for (int i = 0; i < argc - 2; ++i) {
            const Quartiles q = Summarise(rates[i]);
            printf("%-40s %6.0f/s [%6.0f .. %6.0f]\n", argv[i + 2], q.median, q.q1, q.q3);
        }
        return 0;
    }
    const int rounds = argc > 1 ? atoi(argv[1]) : 40;
    const int moves = argc > 2 ? atoi(argv[2]) : 120;
    g_screenW = GetSystemMetrics(SM_CXSCREEN);
    g_screenH = GetSystemMetrics(SM_CYSCREEN);
    printf("panorela benchmark: %d-bit build under Wine, screen %d x %d\n",
           static_cast<int>(sizeof(void*) * 8), g_screenW, g_screenH);

    // Load cost first, before any hook has put either DLL into another
    // process: "alone" must mean that no other process holds it.
    printf("\nload and unload cycles per second (median [quartiles] of 15 interleaved rounds of 200 cycles):\n");
    const LoadResult alone = MeasureLoads(15, 200);
    PrintLoad("alone (each load creates the block)", alone);
    PROCESS_INFORMATION holdP = StartHolder("panorela.dll");
    PROCESS_INFORMATION holdF = StartHolder("bench_floor.dll");
    for (int i = 0; i < 100 && !(Held("PANORELA_MAP_4.0") && Held("PNR_BENCH_FLOOR_MAP")); ++i) Sleep(50);
    if (!Held("PANORELA_MAP_4.0") || !Held("PNR_BENCH_FLOOR_MAP")) printf("  (a holder process did not start)\n");
    const LoadResult held = MeasureLoads(15, 200);
    PrintLoad("while another process holds it", held);
    StopHolder(holdP);
    StopHolder(holdF);

    // The moves.
    HWND backdrop = MakeWindow("PnrBenchBackdrop", WS_POPUP | WS_VISIBLE, WS_EX_NOACTIVATE, 0, 0,
                               g_screenW, g_screenH);
    // The IDE main window panorela.dll manages, hidden from X; 100 high.
    HWND main = MakeWindow("TAppBuilder", WS_OVERLAPPEDWINDOW, 0, 0, 0, g_screenW, 100);
    if (!backdrop || !main) {
        fprintf(stderr, "cannot create the windows\n");
        return 1;
    }
    Pump();
    TestDll empty("bench_empty.dll"), floorDll("bench_floor.dll");
    Host host;
    SharedState* state = host.MapData();
    if (!empty.Ok() || !floorDll.Ok() || !state) {
        fprintf(stderr, "cannot load the DLLs under test\n");
        return 1;
    }

    enum { kNone, kEmpty, kFloor, kOff, kToolBar, kEmptyAgain, kCount };
    Config configs[kCount] = {
        {"a", "no hook", {}},
        {"b", "empty pass-through hooks", {}},
        {"b2", "floor: the work a move must do", {}},
        {"c", "panorela.dll, both modes off", {}},
        {"d", "panorela.dll, tool-bar hiding, neutral band", {}},
        {"b'", "empty pass-through hooks again (A/A)", {}},
    };
    int lost = 0, failures = 0;
    auto install = [&](int c) {
        switch (c) {
            case kEmpty:
            case kEmptyAgain: return empty.install() != FALSE;
            case kFloor: return floorDll.install() != FALSE;
            case kOff:
            case kToolBar:
                host.SetToolBarHidingMode(c == kToolBar);
                host.SetObjInspHidingMode(false);
                return host.SetHooks();
            default: return true;
        }
    };
    auto remove = [&](int c) {
        switch (c) {
            case kEmpty:
            case kEmptyAgain: empty.remove(); break;
            case kFloor: floorDll.remove(); break;
            case kOff:
            case kToolBar: host.UnHookHooks(false); break;
            default: break;
        }
    };
    for (int round = -2; round < rounds; ++round) {  // two rounds of warm-up
        for (int k = 0; k < kCount; ++k) {
            const int c = (k + (round < 0 ? 0 : round)) % kCount;  // each round starts elsewhere
            if (!install(c)) {
                ++failures;
                remove(c);
                continue;
            }
            GetAsyncKeyState(VK_LBUTTON);
            GetAsyncKeyState(VK_RBUTTON);
            MoveAndWait(backdrop, 200, 18);
            const double perMove = TimeMoves(backdrop, moves, &lost);
            remove(c);
            Pump();
            if (round >= 0) configs[c].perMove.push_back(perMove * 1e6);
        }
    }

    printf("\nper-event cost of a SendInput mouse move until this thread has processed it\n"
           "(%d interleaved rounds of %d moves each; median [quartiles] of the round means, microseconds):\n",
           rounds, moves);
    Quartiles q[kCount];
    for (int c = 0; c < kCount; ++c) {
        q[c] = Summarise(configs[c].perMove);
        printf("  (%-2s) %-45s %8.1f  [%7.1f .. %7.1f]\n", configs[c].name, configs[c].label, q[c].median,
               q[c].q1, q[c].q3);
    }
    // Ratios of medians, and of paired rounds (each round measures all six).
    auto paired = [&](int a, int b) {
        std::vector<double> r;
        for (size_t i = 0; i < configs[a].perMove.size() && i < configs[b].perMove.size(); ++i)
            r.push_back(configs[a].perMove[i] / configs[b].perMove[i]);
        return Summarise(r);
    };
    auto ratio = [&](const char* label, int a, int b, const char* target) {
        const Quartiles p = paired(a, b);
        printf("  %-10s %.3f   (paired rounds: median %.3f [%.3f .. %.3f])%s\n", label,
               q[a].median / q[b].median, p.median, p.q1, p.q3, target);
    };
    printf("\nratios of the medians:\n");
    ratio("(c)/(b2)", kOff, kFloor, "   target <= 1.03");
    ratio("(c)/(b)", kOff, kEmpty, "");
    ratio("(d)/(b2)", kToolBar, kFloor, "");
    ratio("(b')/(b)", kEmptyAgain, kEmpty, "   A/A control: the harness's resolution");
    ratio("(b)/(a)", kEmpty, kNone, "");
    printf("\nmoves not seen within 1 s: %d; installations that failed: %d\n", lost, failures);
    DestroyWindow(main);
    DestroyWindow(backdrop);
    return lost || failures ? 2 : 0;
}
