#include "tests/support/test_support.h"
#include "framework/gdi.h"
#include <algorithm>
#include <fstream>
#include <string>

namespace testing_support {

void PumpMessages() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    PumpMessages();
    while (!done() && ::GetTickCount64() < end) {
        // Wakes for the next message, or soon, for the time limit.
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        PumpMessages();
    }
    return done();
}

namespace {
thread_local ModalDriver* t_driver = nullptr;
}  // namespace

ModalDriver::ModalDriver(Finder find, Action act, DWORD timeoutMs)
    : m_find(std::move(find)), m_act(std::move(act)), m_deadline(::GetTickCount64() + timeoutMs) {
    t_driver = this;
    m_timer = ::SetTimer(nullptr, 0, 10, &ModalDriver::Tick);
}

ModalDriver::~ModalDriver() {
    if (m_timer)
        ::KillTimer(nullptr, m_timer);
    t_driver = nullptr;
}

void CALLBACK ModalDriver::Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (t_driver)
        t_driver->Step();
}

void ModalDriver::Step() {
    struct Search {
        ModalDriver* self;
        HWND found;
    } search{this, nullptr};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hwnd, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            if (!::IsWindowVisible(hwnd) || !s->self->m_find(hwnd))
                return TRUE;
            s->found = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    if (search.found) {
        ::KillTimer(nullptr, m_timer);
        m_timer = 0;
        m_acted = true;
        m_act(search.found);
    } else if (::GetTickCount64() >= m_deadline) {
        ::KillTimer(nullptr, m_timer);
        m_timer = 0;
        m_timedOut = true;
        if (const HWND active = ::GetActiveWindow())
            ::PostMessageW(active, WM_COMMAND, IDCANCEL, 0);
    }
}

RecordingParent::RecordingParent(UINT first, UINT last) : m_first(first), m_last(last) {}

BOOL RecordingParent::PreCreateWindow(CREATESTRUCTW& cs) {
    static const wchar_t kClass[] = L"VelmoraTestParent";
    WNDCLASSEXW wc{};
    if (!::GetClassInfoExW(cs.hInstance, kClass, &wc)) {
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &CWnd::StaticWndProc;
        wc.hInstance = cs.hInstance;
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = kClass;
        ::RegisterClassExW(&wc);
    }
    cs.lpszClass = kClass;
    return TRUE;
}

bool RecordingParent::CreateHost(int width, int height, const wchar_t* title) {
    // Outer size chosen so that the client area is width x height.
    RECT rc{0, 0, width, height};
    ::AdjustWindowRectEx(&rc, WS_OVERLAPPEDWINDOW, FALSE, 0);
    const RECT place{20, 20, 20 + rc.right - rc.left, 20 + rc.bottom - rc.top};
    if (!Create(nullptr, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, place, nullptr, 0))
        return false;
    ::UpdateWindow(m_hWnd);
    PumpMessages();
    return true;
}

LRESULT RecordingParent::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg >= m_first && msg <= m_last)
        messages.push_back({msg, wParam, lParam});
    return CWnd::WindowProc(msg, wParam, lParam);
}

std::vector<RecordedMessage> RecordingParent::Take(UINT msg) {
    std::vector<RecordedMessage> taken;
    std::vector<RecordedMessage> rest;
    for (const auto& m : messages)
        (m.msg == msg ? taken : rest).push_back(m);
    messages = std::move(rest);
    return taken;
}

MessageBoxRecorder::MessageBoxRecorder() {
    SetMessageBoxHook([this](const MessageBoxRequest& request) {
        boxes.push_back(request);
        if (answers.empty())
            return IDOK;
        const int answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    });
}

MessageBoxRecorder::~MessageBoxRecorder() { SetMessageBoxHook({}); }

PixelCanvas::PixelCanvas(int width, int height, COLORREF fill)
    : m_width(width), m_height(height), m_dc(::CreateCompatibleDC(nullptr)) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    m_bitmap = ::CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_bits = static_cast<const unsigned char*>(bits);
    m_oldBitmap = ::SelectObject(m_dc, m_bitmap);
    CBrush brush(::CreateSolidBrush(fill));
    const RECT all{0, 0, width, height};
    ::FillRect(m_dc, &all, brush);
}

PixelCanvas::~PixelCanvas() {
    ::SelectObject(m_dc, m_oldBitmap);
    ::DeleteObject(m_bitmap);
    ::DeleteDC(m_dc);
}

COLORREF PixelCanvas::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height || !m_bits)
        return CLR_INVALID;
    ::GdiFlush();
    const unsigned char* p = m_bits + (static_cast<size_t>(y) * m_width + x) * 4;
    return RGB(p[2], p[1], p[0]);
}

int PixelCanvas::DifferingPixels(const PixelCanvas& other, const RECT& area) const {
    if (!m_bits || !other.m_bits)
        return -1;
    ::GdiFlush();
    const int right = std::min({static_cast<int>(area.right), m_width, other.m_width});
    const int bottom = std::min({static_cast<int>(area.bottom), m_height, other.m_height});
    int count = 0;
    for (int y = std::max(0, static_cast<int>(area.top)); y < bottom; ++y) {
        for (int x = std::max(0, static_cast<int>(area.left)); x < right; ++x) {
            const unsigned char* p = m_bits + (static_cast<size_t>(y) * m_width + x) * 4;
            const unsigned char* q = other.m_bits + (static_cast<size_t>(y) * other.m_width + x) * 4;
            count += p[0] != q[0] || p[1] != q[1] || p[2] != q[2];
        }
    }
    return count;
}

int PixelCanvas::Count(COLORREF colour, int left, int top, int right, int bottom) const {
    int n = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            n += At(x, y) == colour;
    return n;
}

bool PixelCanvas::SaveBmp(const std::wstring& path) const {
    ::GdiFlush();
    const DWORD imageSize = static_cast<DWORD>(m_width) * m_height * 4;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER header{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + imageSize;
    header.biSize = sizeof header;
    header.biWidth = m_width;
    header.biHeight = -m_height;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    header.biSizeImage = imageSize;
    // GDI leaves the fourth byte 0; viewers would read that as fully transparent.
    std::string pixels(reinterpret_cast<const char*>(m_bits), imageSize);
    for (size_t i = 3; i < pixels.size(); i += 4)
        pixels[i] = static_cast<char>(0xFF);
    std::ofstream out(path.c_str(), std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
    return out.good();
}

int CountGdiObjects() {
    const DWORD counted = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    if (counted > 0)
        return static_cast<int>(counted);
    int live = 0;
    for (UINT_PTR index = 1; index < 0x10000; ++index)
        live += ::GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0;
    return live;
}

void CaptureWindow(HWND hwnd, PixelCanvas& canvas) {
    ::RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    PumpMessages();
    HDC windowDc = ::GetWindowDC(hwnd);
    ::BitBlt(canvas.dc(), 0, 0, canvas.width(), canvas.height(), windowDc, 0, 0, SRCCOPY);
    ::ReleaseDC(hwnd, windowDc);
}

bool SaveWindowScreenshot(HWND hwnd, const std::wstring& fileName) {
    RECT rc{};
    ::GetWindowRect(hwnd, &rc);
    PixelCanvas canvas(rc.right - rc.left, rc.bottom - rc.top);
    CaptureWindow(hwnd, canvas);
    return canvas.SaveBmp(fileName);
}

}  // namespace testing_support
