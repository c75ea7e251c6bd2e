// RAII for GDI objects and device contexts. Every SelectObject goes through
// CSelect so the previous object is put back on every path.
#pragma once
#include <windows.h>
#include <utility>

// Owns one GDI object (pen, brush, font, bitmap, region) and deletes it.
template <typename Handle>
class CGdiObject {
public:
    CGdiObject() = default;
    explicit CGdiObject(Handle handle) : m_handle(handle) {}
    ~CGdiObject() { Reset(); }
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    CGdiObject(CGdiObject&& other) noexcept : m_handle(std::exchange(other.m_handle, nullptr)) {}
    CGdiObject& operator=(CGdiObject&& other) noexcept {
        if (this != &other)
            Reset(std::exchange(other.m_handle, nullptr));
        return *this;
    }

    Handle Get() const { return m_handle; }
    operator Handle() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }
    // Deletes the object held and takes `handle` instead.
    void Reset(Handle handle = nullptr) {
        if (m_handle)
            ::DeleteObject(m_handle);
        m_handle = handle;
    }
    Handle Detach() { return std::exchange(m_handle, nullptr); }

private:
    Handle m_handle = nullptr;
};

using CPen = CGdiObject<HPEN>;
using CBrush = CGdiObject<HBRUSH>;
using CFont = CGdiObject<HFONT>;
using CBitmap = CGdiObject<HBITMAP>;
using CRgn = CGdiObject<HRGN>;

// Selects an object into a DC for one scope and selects the previous one back.
class CSelect {
public:
    CSelect(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(object ? ::SelectObject(dc, object) : nullptr) {}
    ~CSelect() {
        if (m_previous)
            ::SelectObject(m_dc, m_previous);
    }
    CSelect(const CSelect&) = delete;
    CSelect& operator=(const CSelect&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

// A memory DC compatible with `reference` (the screen when null). It keeps the
// bitmap it came with and selects it back before it is deleted.
class CMemoryDC {
public:
    explicit CMemoryDC(HDC reference = nullptr)
        : m_dc(::CreateCompatibleDC(reference)),
          m_originalBitmap(m_dc ? ::GetCurrentObject(m_dc, OBJ_BITMAP) : nullptr) {}
    ~CMemoryDC() {
        if (m_dc) {
            ::SelectObject(m_dc, m_originalBitmap);
            ::DeleteDC(m_dc);
        }
    }
    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;

    HDC Get() const { return m_dc; }
    operator HDC() const { return m_dc; }
    // Selects `bitmap` (or the original one for null) and returns the previous bitmap.
    HBITMAP SelectBitmap(HBITMAP bitmap) {
        return static_cast<HBITMAP>(::SelectObject(m_dc, bitmap ? static_cast<HGDIOBJ>(bitmap) : m_originalBitmap));
    }

private:
    HDC m_dc;
    HGDIOBJ m_originalBitmap;
};

class CPaintDC {
public:
    explicit CPaintDC(HWND hwnd) : m_hwnd(hwnd), m_dc(::BeginPaint(hwnd, &m_ps)) {}
    ~CPaintDC() { ::EndPaint(m_hwnd, &m_ps); }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;
    operator HDC() const { return m_dc; }
    const PAINTSTRUCT& Info() const { return m_ps; }

private:
    HWND m_hwnd;
    PAINTSTRUCT m_ps{};
    HDC m_dc;
};

class CClientDC {
public:
    explicit CClientDC(HWND hwnd) : m_hwnd(hwnd), m_dc(::GetDC(hwnd)) {}
    ~CClientDC() {
        if (m_dc)
            ::ReleaseDC(m_hwnd, m_dc);
    }
    CClientDC(const CClientDC&) = delete;
    CClientDC& operator=(const CClientDC&) = delete;
    operator HDC() const { return m_dc; }

private:
    HWND m_hwnd;
    HDC m_dc;
};

// Saves a DC's state for one scope (mapping, origin, selected objects, modes).
class CSaveDC {
public:
    explicit CSaveDC(HDC dc) : m_dc(dc), m_saved(::SaveDC(dc)) {}
    ~CSaveDC() {
        if (m_saved)
            ::RestoreDC(m_dc, m_saved);
    }
    CSaveDC(const CSaveDC&) = delete;
    CSaveDC& operator=(const CSaveDC&) = delete;

private:
    HDC m_dc;
    int m_saved;
};

// Text colour and background mode for one scope.
class CTextStyle {
public:
    CTextStyle(HDC dc, COLORREF colour, int bkMode)
        : m_dc(dc), m_colour(::SetTextColor(dc, colour)), m_bkMode(::SetBkMode(dc, bkMode)) {}
    ~CTextStyle() {
        ::SetTextColor(m_dc, m_colour);
        ::SetBkMode(m_dc, m_bkMode);
    }
    CTextStyle(const CTextStyle&) = delete;
    CTextStyle& operator=(const CTextStyle&) = delete;

private:
    HDC m_dc;
    COLORREF m_colour;
    int m_bkMode;
};

// Owns an enhanced metafile.
class CEnhMetaFile {
public:
    CEnhMetaFile() = default;
    explicit CEnhMetaFile(HENHMETAFILE handle) : m_handle(handle) {}
    ~CEnhMetaFile() { Reset(); }
    CEnhMetaFile(const CEnhMetaFile&) = delete;
    CEnhMetaFile& operator=(const CEnhMetaFile&) = delete;
    CEnhMetaFile(CEnhMetaFile&& other) noexcept : m_handle(std::exchange(other.m_handle, nullptr)) {}
    CEnhMetaFile& operator=(CEnhMetaFile&& other) noexcept {
        if (this != &other)
            Reset(std::exchange(other.m_handle, nullptr));
        return *this;
    }
    HENHMETAFILE Get() const { return m_handle; }
    operator HENHMETAFILE() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }
    void Reset(HENHMETAFILE handle = nullptr) {
        if (m_handle)
            ::DeleteEnhMetaFile(m_handle);
        m_handle = handle;
    }
    HENHMETAFILE Detach() { return std::exchange(m_handle, nullptr); }

private:
    HENHMETAFILE m_handle = nullptr;
};
