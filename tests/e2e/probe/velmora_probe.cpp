// The probe: a hook procedure that runs inside velmora.exe's GUI thread and
// answers the driver's requests (see probe_report.h).
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <random>
#include <string>

#include "control_ids.h"
#include "probe_report.h"

namespace {

constexpr int kInputIds[8] = {ID_AF1, ID_F1, ID_AF2, ID_F2, ID_CAP, ID_FSF, ID_ISF, ID_RSTAR};

// A number as a user might type it: one to six significant digits, any sign,
// exponents from -6 to 6.
std::wstring RandomNumber(std::mt19937& random) {
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> exponent(-6, 6);
    std::uniform_int_distribution<int> digits(1, 6);
    wchar_t text[40];
    std::swprintf(text, std::size(text), L"%.*ge%d", digits(random), mantissa(random),
                  exponent(random));
    return text;
}

// Texts that are not plain numbers: they read as 0 or as their leading number.
std::wstring RandomOddText(std::mt19937& random) {
    static const wchar_t* const kOdd[] = {L"",       L"0",      L"-",    L"abc",   L"1e309",
                                          L"&HFFFF", L"1D-2",   L".",    L"1.2.3", L"  12e3x",
                                          L"-0",     L"1e-320", L"3000", L"0.01",  L"1000"};
    return kOdd[std::uniform_int_distribution<size_t>(0, std::size(kOdd) - 1)(random)];
}

double Seconds() {
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Before each calculation one input box, in turn, gets a new random text,
// so every CALC reads a new combination. Under Wine a CALC costs about 4 ms
// (each text set into an edit control is measured with the dialog font) and
// one that shows infinity texts some 30 ms, so setting all eight boxes each
// time would buy nothing, and the infinities come at a fixed rate: every
// 250th calculation empties the four parameter boxes (1,001-character
// negative infinities), every 250th sets ISF 0 (a 1,000-character positive
// one), and the next puts numbers back.
void Calculate(HWND dialog, int count, uint32_t seed) {
    std::mt19937 random(seed);
    HWND inputs[8];
    for (int i = 0; i < 8; ++i)
        inputs[i] = GetDlgItem(dialog, kInputIds[i]);
    HWND calc = GetDlgItem(dialog, ID_CALC);
    const int isf = 6;
    for (int k = 0; k < count; ++k) {
        const int box = k % 8;
        SetWindowTextW(inputs[box],
                       k % 64 == 63 ? RandomOddText(random).c_str() : RandomNumber(random).c_str());
        if (k % 250 == 0)
            for (int i = 0; i < 4; ++i)
                SetWindowTextW(inputs[i], L"");
        if (k % 250 == 1)
            for (int i = 0; i < 4; ++i)
                SetWindowTextW(inputs[i], RandomNumber(random).c_str());
        if (k % 250 == 125) SetWindowTextW(inputs[isf], L"0");
        if (k % 250 == 126) SetWindowTextW(inputs[isf], RandomNumber(random).c_str());
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(ID_CALC, BN_CLICKED),
                     reinterpret_cast<LPARAM>(calc));
    }
}

ProbeSize BitmapSize(HBITMAP bitmap) {
    BITMAP info = {};
    if (!bitmap || !GetObjectW(bitmap, sizeof info, &info)) return {0, 0, 0};
    return {info.bmWidth, info.bmHeight, info.bmBitsPixel};
}

ProbeSize IconSize(HICON icon) {
    ICONINFO info = {};
    if (!icon || !GetIconInfo(icon, &info)) return {0, 0, 0};
    const ProbeSize size = BitmapSize(info.hbmColor ? info.hbmColor : info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return size;
}

// Wine keeps its GDI handles in a per-process table that the PEB points to
// (GdiSharedHandleTable); a live entry has a nonzero type.
#pragma pack(push, 1)
struct WineGdiEntry {
    uint64_t Object;
    uint32_t Owner;
    uint16_t Unique;
    uint8_t Type;
    uint8_t Flags;
    uint64_t UserPointer;
};
#pragma pack(pop)
static_assert(sizeof(WineGdiEntry) == 24);

uint32_t WineGdiObjectCount() {
    const uint8_t* peb = nullptr;
    asm("movl %%fs:0x30, %0" : "=r"(peb));  // the 32-bit TEB's PEB pointer
    const auto* table = *reinterpret_cast<const WineGdiEntry* const*>(peb + 0x94);
    if (!table) return 0;
    uint32_t count = 0;
    for (int i = 0; i < 0x10000; ++i)
        if (table[i].Type) ++count;
    return count;
}

// EnumChildWindows already walks all descendants; count each window once.
BOOL CALLBACK CountDescendant(HWND, LPARAM counter) {
    ++*reinterpret_cast<uint32_t*>(counter);
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM counter) {
    ++*reinterpret_cast<uint32_t*>(counter);
    EnumChildWindows(window, CountDescendant, counter);
    return TRUE;
}

void CountObjects(ProbeReport& report) {
    SetLastError(0);
    const DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    const DWORD user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    if (gdi || user) {
        report.GdiObjects = gdi;
        report.UserObjects = user;
        report.CountsFromPlatform = 1;
        return;
    }
    report.GdiObjects = WineGdiObjectCount();
    uint32_t windows = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountTopLevel, reinterpret_cast<LPARAM>(&windows));
    report.UserObjects = windows;
    report.CountsFromPlatform = 0;
}

void DescribeFont(HWND dialog, ProbeReport& report) {
    LOGFONTW font = {};
    const auto handle = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    if (!handle || !GetObjectW(handle, sizeof font, &font)) return;
    lstrcpynW(report.FontFace, font.lfFaceName, LF_FACESIZE);
    report.FontHeight = font.lfHeight;
    report.FontWeight = font.lfWeight;
    report.FontItalic = font.lfItalic;
    report.FontCharset = font.lfCharSet;
}

constexpr UINT_PTR kProbeTimerId = 0x7E57;

void Answer(HWND dialog, uint32_t request) {
    HANDLE mapping =
        OpenFileMappingW(FILE_MAP_WRITE, FALSE, ProbeMappingName(GetCurrentProcessId()).c_str());
    if (!mapping) return;
    auto* report = static_cast<ProbeReport*>(
        MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(ProbeReport)));
    if (report) {
        const double start = Seconds();
        Calculate(dialog, report->SoakCalculations, report->SoakSeed);
        report->SoakSeconds = Seconds() - start;
        for (int k = 0; k < report->RectCount && k < kProbeMaxRects; ++k)
            MapDialogRect(dialog, &report->Rects[k]);
        report->LargeIcon =
            IconSize(reinterpret_cast<HICON>(SendMessageW(dialog, WM_GETICON, ICON_BIG, 0)));
        report->SmallIcon =
            IconSize(reinterpret_cast<HICON>(SendMessageW(dialog, WM_GETICON, ICON_SMALL, 0)));
        report->Picture = BitmapSize(reinterpret_cast<HBITMAP>(
            SendDlgItemMessageW(dialog, 1023, STM_GETIMAGE, IMAGE_BITMAP, 0)));
        DescribeFont(dialog, *report);
        CountObjects(*report);
        report->Answered = request;
        UnmapViewOfFile(report);
    }
    CloseHandle(mapping);
}

// The work is done from a timer that the program's own message loop runs,
// not inside the hook: while a thread hook is installed every message of the
// thread passes through it, which under Wine costs a server round trip each.
uint32_t PendingRequest = 0;

void CALLBACK ProbeTimerProc(HWND dialog, UINT, UINT_PTR timer, DWORD) {
    KillTimer(dialog, timer);
    Answer(dialog, PendingRequest);
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK
    ProbeHookProc(int code, WPARAM wParam, LPARAM lParam) {
    static const UINT probeMessage = RegisterWindowMessageW(kProbeMessageName);
    if (code == HC_ACTION) {
        const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (call->message == probeMessage) {
            // Stay loaded once the driver has unhooked, for the timer.
            HMODULE self = nullptr;
            GetModuleHandleExW(
                GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                reinterpret_cast<LPCWSTR>(&ProbeTimerProc), &self);
            PendingRequest = static_cast<uint32_t>(call->wParam);
            SetTimer(call->hwnd, kProbeTimerId, 0, ProbeTimerProc);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
