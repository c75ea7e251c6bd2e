#include "app/chart_export.h"
#include "app/extra_texts.h"
#include "app/file_dialog.h"
#include "app/fill_in_text.h"
#include "app/png_encoder.h"
#include "app/show_error.h"
#include "app/velmora_app.h"
#include "chart/chart_elements.h"
#include "chart/chart_picture.h"
#include "chart/chart_svg.h"
#include "files/safe_write.h"
#include <cstring>
#include <filesystem>

namespace {

bool IsSvg(ChartFileKind kind) { return kind == ChartFileKind::Svg || kind == ChartFileKind::SvgWithoutNumbers; }

int ScaleOf(ChartFileKind kind) { return kind == ChartFileKind::Png3x ? 3 : kind == ChartFileKind::Png2x ? 2 : 1; }

// The chosen name, with the kind's extension when the user typed none.
std::wstring WithExtension(const std::wstring& path, ChartFileKind kind) {
    if (std::filesystem::path(path).has_extension())
        return path;
    return path + (IsSvg(kind) ? L".svg" : L".png");
}

// A DIB for the clipboard: header and 24-bit bottom-up rows in one movable block.
HGLOBAL PackedDib(HBITMAP bitmap) {
    BITMAP info{};
    if (!::GetObjectW(bitmap, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight <= 0)
        return nullptr;
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = info.bmWidth;
    header.biHeight = info.bmHeight;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const size_t stride = (static_cast<size_t>(info.bmWidth) * 3 + 3) & ~size_t{3};
    header.biSizeImage = static_cast<DWORD>(stride * static_cast<size_t>(info.bmHeight));
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, sizeof header + header.biSizeImage);
    auto* bytes = block ? static_cast<BYTE*>(::GlobalLock(block)) : nullptr;
    if (!bytes) {
        if (block)
            ::GlobalFree(block);
        return nullptr;
    }
    std::memcpy(bytes, &header, sizeof header);
    HDC screen = ::GetDC(nullptr);
    const int rows = ::GetDIBits(screen, bitmap, 0, static_cast<UINT>(info.bmHeight), bytes + sizeof header,
                                 reinterpret_cast<BITMAPINFO*>(bytes), DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    ::GlobalUnlock(block);
    if (rows != info.bmHeight) {
        ::GlobalFree(block);
        return nullptr;
    }
    return block;
}

// The clipboard for one scope.
class CClipboardScope {
public:
    explicit CClipboardScope(HWND owner) : m_open(::OpenClipboard(owner) != FALSE) {}
    ~CClipboardScope() {
        if (m_open)
            ::CloseClipboard();
    }
    CClipboardScope(const CClipboardScope&) = delete;
    CClipboardScope& operator=(const CClipboardScope&) = delete;
    bool IsOpen() const { return m_open; }

private:
    bool m_open;
};

}  // namespace

ChartFileKind ChartFileKindOfFilter(int filter) {
    switch (filter) {
    case 2: return ChartFileKind::SvgWithoutNumbers;
    case 3: return ChartFileKind::Png1x;
    case 4: return ChartFileKind::Png2x;
    case 5: return ChartFileKind::Png3x;
    default: return ChartFileKind::Svg;
    }
}

std::string ChartFileBytes(const ChartSource& source, ChartFileKind kind) {
    if (IsSvg(kind)) {
        ProgramRow elements[CHART_MAX_ELEMENTS];
        const int count = BuildChartElements(source.rows, source.count, elements);
        const ChartSvgOptions options{source.width, kind == ChartFileKind::Svg};
        return ChartSvg(elements, count, MetricsForWidth(source.width), options);
    }
    const CChartPicture picture(source.rows, source.count, source.width);
    const CBitmap bitmap = RenderChartBitmap(picture, ScaleOf(kind));
    std::optional<std::string> png = bitmap ? EncodePng(bitmap) : std::nullopt;
    return png ? std::move(*png) : std::string();
}

bool ExportChart(HWND owner, const ChartSource& source) {
    int filter = 1;
    const std::wstring initial = source.fileName.empty() ? std::wstring()
                                                         : std::filesystem::path(source.fileName).stem().wstring();
    const auto path = ShowFileDialog({FileDialogKind::Save, owner, g_velmoraApp.Text(XT_CHART_EXPORT_TITLE),
                                      g_velmoraApp.Text(XT_CHART_EXPORT_FILTER), L"", initial,
                                      OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST, &filter});
    if (!path)
        return false;
    const ChartFileKind kind = ChartFileKindOfFilter(filter);
    const std::wstring target = WithExtension(*path, kind);
    const std::string bytes = ChartFileBytes(source, kind);
    if (bytes.empty() || !WriteFileSafely(target, bytes.data(), bytes.size())) {
        ShowError(owner, L"%s", FillInText(g_velmoraApp.Text(XT_CHART_EXPORT_FAILED), {target}).c_str());
        return false;
    }
    return true;
}

bool CopyChartPicture(HWND owner, const ChartSource& source) {
    const CChartPicture picture(source.rows, source.count, source.width);
    const CBitmap bitmap = RenderChartBitmap(picture, 1);
    CEnhMetaFile metafile = RecordChartMetafile(picture);
    HGLOBAL dib = bitmap ? PackedDib(bitmap) : nullptr;
    bool done = false;
    if (dib && metafile) {
        CClipboardScope clipboard(owner);
        if (clipboard.IsOpen() && ::EmptyClipboard()) {
            // The clipboard owns what it accepts; what it refuses stays ours to free.
            if (::SetClipboardData(CF_DIB, dib))
                dib = nullptr;
            if (::SetClipboardData(CF_ENHMETAFILE, metafile))
                metafile.Detach();
            done = !dib && !metafile;
        }
    }
    if (dib)
        ::GlobalFree(dib);
    if (!done)
        ShowError(owner, L"%s", g_velmoraApp.Text(XT_CHART_COPY_FAILED).c_str());
    return done;
}
