// Helpers for tests that drive real windows under Wine.
#pragma once
#include "framework/message_box.h"
#include "framework/wnd.h"
#include <functional>
#include <string>
#include <vector>

namespace testing_support {

// Processes every message waiting in this thread's queue (posted ones too).
void PumpMessages();
// Pumps until `done` holds, for at most `timeoutMs` (then a test fails
// instead of hanging). For what the platform delivers on its own, such as the
// leave of a tracked pointer. Returns `done()`.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);

// Answers a modal window from inside its modal loop, as a user would: a thread
// timer looks every 10 ms for a visible top-level window of this thread that
// `find` accepts and hands it to `act`, once. When none has come within
// `timeoutMs`, the thread's active window gets IDCANCEL and TimedOut() is
// true, so that a test fails instead of waiting for ever. One at a time.
class ModalDriver {
public:
    using Finder = std::function<bool(HWND)>;
    using Action = std::function<void(HWND)>;
    ModalDriver(Finder find, Action act, DWORD timeoutMs = 5000);
    ~ModalDriver();
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;

    bool Acted() const { return m_acted; }
    bool TimedOut() const { return m_timedOut; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void Step();

    Finder m_find;
    Action m_act;
    ULONGLONG m_deadline;
    UINT_PTR m_timer = 0;
    bool m_acted = false;
    bool m_timedOut = false;
};

struct RecordedMessage {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

// A top-level window that hosts controls under test and records the
// messages they send or post to their parent.
class RecordingParent : public CWnd {
public:
    // Records every message with a number in [first, last].
    RecordingParent(UINT first = WM_USER, UINT last = 0x7FFF);
    bool CreateHost(int width, int height, const wchar_t* title = L"Test");
    std::vector<RecordedMessage> messages;
    std::vector<RecordedMessage> Take(UINT msg);  // removes and returns the records of one message

    BOOL PreCreateWindow(CREATESTRUCTW& cs) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    UINT m_first;
    UINT m_last;
};

// Installs a message box hook for its lifetime: records each box and answers
// with the queued results (IDOK once the queue is empty).
class MessageBoxRecorder {
public:
    MessageBoxRecorder();
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;
    std::vector<MessageBoxRequest> boxes;
    std::vector<int> answers;
};

// A 32-bit top-down DIB section with its own memory DC, for drawing tests.
class PixelCanvas {
public:
    PixelCanvas(int width, int height, COLORREF fill = RGB(255, 255, 255));
    ~PixelCanvas();
    PixelCanvas(const PixelCanvas&) = delete;
    PixelCanvas& operator=(const PixelCanvas&) = delete;
    HDC dc() const { return m_dc; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    COLORREF At(int x, int y) const;
    // Counts pixels of one colour inside [left, right) x [top, bottom).
    int Count(COLORREF colour, int left, int top, int right, int bottom) const;
    // Pixels that differ from `other` inside `area` (clipped to both canvases).
    int DifferingPixels(const PixelCanvas& other, const RECT& area) const;
    bool SaveBmp(const std::wstring& path) const;

private:
    int m_width;
    int m_height;
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_oldBitmap;
    const unsigned char* m_bits;
};

// GDI objects this process holds. GetGuiResources answers 0 under Wine, so
// the live entries of the GDI handle table are counted there instead.
int CountGdiObjects();

// Copies what a window shows on screen (its whole window rectangle) into a canvas.
void CaptureWindow(HWND hwnd, PixelCanvas& canvas);
// Saves a screenshot of a window as a .bmp file in the working directory.
bool SaveWindowScreenshot(HWND hwnd, const std::wstring& fileName);

}  // namespace testing_support
