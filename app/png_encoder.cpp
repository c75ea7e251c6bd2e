#include "app/png_encoder.h"
#include <objbase.h>
#include <wincodec.h>
#include <utility>
#include <vector>

namespace {

// Holds one COM interface pointer and releases it.
template <typename T>
class CComRef {
public:
    CComRef() = default;
    ~CComRef() {
        if (m_p)
            m_p->Release();
    }
    CComRef(const CComRef&) = delete;
    CComRef& operator=(const CComRef&) = delete;
    T* operator->() const { return m_p; }
    T* Get() const { return m_p; }
    T** Out() { return &m_p; }
    void** OutVoid() { return reinterpret_cast<void**>(&m_p); }

private:
    T* m_p = nullptr;
};

// COM for one scope, on threads that have not set it up differently.
class CComScope {
public:
    CComScope() : m_result(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~CComScope() {
        if (SUCCEEDED(m_result))
            ::CoUninitialize();
    }
    CComScope(const CComScope&) = delete;
    CComScope& operator=(const CComScope&) = delete;

private:
    HRESULT m_result;
};

// Top-down rows of 24-bit BGR pixels, each padded to four bytes.
bool ReadPixels(HBITMAP bitmap, UINT& width, UINT& height, UINT& stride, std::vector<BYTE>& pixels) {
    BITMAP info{};
    if (!bitmap || !::GetObjectW(bitmap, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight <= 0)
        return false;
    width = static_cast<UINT>(info.bmWidth);
    height = static_cast<UINT>(info.bmHeight);
    stride = (width * 3 + 3) & ~3u;
    pixels.assign(static_cast<size_t>(stride) * height, 0);
    BITMAPINFO request{};
    request.bmiHeader.biSize = sizeof request.bmiHeader;
    request.bmiHeader.biWidth = info.bmWidth;
    request.bmiHeader.biHeight = -info.bmHeight;
    request.bmiHeader.biPlanes = 1;
    request.bmiHeader.biBitCount = 24;
    request.bmiHeader.biCompression = BI_RGB;
    HDC screen = ::GetDC(nullptr);
    const int rows = ::GetDIBits(screen, bitmap, 0, height, pixels.data(), &request, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    return rows == static_cast<int>(height);
}

}  // namespace

std::optional<std::string> EncodePng(HBITMAP bitmap) {
    UINT width = 0, height = 0, stride = 0;
    std::vector<BYTE> pixels;
    if (!ReadPixels(bitmap, width, height, stride, pixels))
        return std::nullopt;

    CComScope com;
    CComRef<IWICImagingFactory> factory;
    CComRef<IStream> stream;
    CComRef<IWICBitmapEncoder> encoder;
    CComRef<IWICBitmapFrameEncode> frame;
    CComRef<IPropertyBag2> options;
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    HRESULT hr = ::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                    factory.OutVoid());
    if (SUCCEEDED(hr))
        hr = ::CreateStreamOnHGlobal(nullptr, TRUE, stream.Out());
    if (SUCCEEDED(hr))
        hr = factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.Out());
    if (SUCCEEDED(hr))
        hr = encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache);
    if (SUCCEEDED(hr))
        hr = encoder->CreateNewFrame(frame.Out(), options.Out());
    if (SUCCEEDED(hr))
        hr = frame->Initialize(options.Get());
    if (SUCCEEDED(hr))
        hr = frame->SetSize(width, height);
    if (SUCCEEDED(hr))
        hr = frame->SetPixelFormat(&format);
    if (SUCCEEDED(hr) && format != GUID_WICPixelFormat24bppBGR)
        hr = E_FAIL;  // the codec wants another layout than the one we have
    if (SUCCEEDED(hr))
        hr = frame->WritePixels(height, stride, static_cast<UINT>(pixels.size()), pixels.data());
    if (SUCCEEDED(hr))
        hr = frame->Commit();
    if (SUCCEEDED(hr))
        hr = encoder->Commit();
    STATSTG stat{};
    if (SUCCEEDED(hr))
        hr = stream->Stat(&stat, STATFLAG_NONAME);
    HGLOBAL memory = nullptr;
    if (SUCCEEDED(hr))
        hr = ::GetHGlobalFromStream(stream.Get(), &memory);
    if (FAILED(hr) || !memory || stat.cbSize.QuadPart > ::GlobalSize(memory))
        return std::nullopt;
    const void* bytes = ::GlobalLock(memory);
    if (!bytes)
        return std::nullopt;
    std::string file(static_cast<const char*>(bytes), static_cast<size_t>(stat.cbSize.QuadPart));
    ::GlobalUnlock(memory);
    return file;
}
