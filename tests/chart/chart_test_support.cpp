#include "tests/chart/chart_test_support.h"
#include "model/checker.h"
#include "model/vocabulary.h"
#include <cstring>

using testing_support::PixelCanvas;

ProgramRow Row(const wchar_t* name, std::initializer_list<const wchar_t*> params) {
    ProgramRow row;
    std::memset(&row, 0, sizeof row);
    SetRowText(row.name, name);
    row.code = static_cast<int16_t>(FindCommand(name));
    int slot = 0;
    for (const wchar_t* p : params)
        SetRowText(row.params[slot++], p);
    return row;
}

std::vector<ProgramRow> CleanRows(std::vector<ProgramRow> rows) {
    for (ProgramRow& row : rows) {
        row.reachable = 1;
        row.errorFlags = 0;
    }
    return rows;
}

std::vector<ProgramRow> ExampleProgram() {
    std::vector<ProgramRow> rows{Row(L"FOR", {L"\u221E"}),
                                 Row(L"IF", {L"IN1", L"\u2267", L"100", L"THEN", L"3", L"ELSE", L"5"}),
                                 Row(L"OUT1", {L"0.5"}),
                                 Row(L"GOTO", {L"6"}),
                                 Row(L"OUT2", {L"2"}),
                                 Row(L"NEXT"),
                                 Row(L"END"),
                                 Row(L"")};
    CheckProgram(rows.data(), static_cast<int>(rows.size()));
    return rows;
}

void ChartProbe::CopyStrip(PixelCanvas& canvas) {
    for (int n = 0; n < CHART_MAX_ELEMENTS; ++n)
        CopyRowBand(canvas.dc(), n);
}

bool CreateChild(CWnd& child, HWND parent, int width, int height, DWORD exStyle) {
    RECT rc{0, 0, width, height};
    ::AdjustWindowRectEx(&rc, WS_CHILD, FALSE, exStyle);
    ::OffsetRect(&rc, -rc.left, -rc.top);
    return child.Create(nullptr, L"", WS_CHILD | WS_VISIBLE, rc, parent, 101, exStyle);
}

bool CreateChartView(ChartProbe& view, HWND parent, int clientWidth, int clientHeight) {
    if (!CreateChild(view, parent, clientWidth, clientHeight, WS_EX_STATICEDGE))
        return false;
    testing_support::PumpMessages();
    return true;
}

POINT ClientOrigin(HWND hwnd) {
    POINT origin{0, 0};
    ::ClientToScreen(hwnd, &origin);
    RECT window{};
    ::GetWindowRect(hwnd, &window);
    return {origin.x - window.left, origin.y - window.top};
}

void CaptureClient(HWND hwnd, PixelCanvas& canvas) {
    RECT window{};
    ::GetWindowRect(hwnd, &window);
    PixelCanvas whole(window.right - window.left, window.bottom - window.top);
    testing_support::CaptureWindow(hwnd, whole);
    const POINT origin = ClientOrigin(hwnd);
    ::BitBlt(canvas.dc(), 0, 0, canvas.width(), canvas.height(), whole.dc(), origin.x, origin.y, SRCCOPY);
}

void Click(HWND hwnd, int x, int y) {
    ::SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    ::SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    testing_support::PumpMessages();
}

void KeyDown(HWND hwnd, UINT vk) {
    ::SendMessageW(hwnd, WM_KEYDOWN, vk, 1);
    testing_support::PumpMessages();
}

LRESULT Wheel(HWND hwnd, short delta, UINT keys) {
    RECT rc{};
    ::GetWindowRect(hwnd, &rc);
    const LRESULT r = ::SendMessageW(hwnd, WM_MOUSEWHEEL, MAKEWPARAM(keys, static_cast<WORD>(delta)),
                                     MAKELPARAM(rc.left + 5, rc.top + 5));
    testing_support::PumpMessages();
    return r;
}

void ScrollBarAction(HWND hwnd, UINT msg, UINT code, int thumb) {
    ::SendMessageW(hwnd, msg, MAKEWPARAM(code, thumb), 0);
    testing_support::PumpMessages();
}
