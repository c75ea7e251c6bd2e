#include "chart/chart_picture.h"
#include "chart/chart_elements.h"
#include "chart/chart_painting.h"
#include "chart/chart_palette.h"
#include <algorithm>

CChartPicture::CChartPicture(const ProgramRow* rows, int count, int width)
    : m_metrics(MetricsForWidth(width)), m_width(std::max(width, 1)), m_count(0), m_elements{} {
    m_count = BuildChartElements(rows, count, m_elements);
    m_textFont = MakeChartTextFont(m_metrics);
    m_smallFont = MakeChartSmallFont(m_metrics);
}

void CChartPicture::Paint(HDC dc, int first, int end) const {
    first = std::clamp(first, 0, m_count);
    end = std::clamp(end, first, m_count);
    if (first == end)
        return;
    const RECT bands{0, first * m_metrics.rowHeight, m_width, end * m_metrics.rowHeight};
    CSaveDC saved(dc);
    ::IntersectClipRect(dc, bands.left, bands.top, bands.right, bands.bottom);
    CBrush white(::CreateSolidBrush(CHART_BACKGROUND));
    ::FillRect(dc, &bands, white);
    const ChartLook look{m_metrics, m_textFont, m_smallFont, m_pens, -1, false};
    // Every element, so that a jump from outside the range still crosses it.
    for (int n = 0; n < m_count; ++n)
        PaintChartElement(dc, look, m_elements, m_count, n);
}

CBitmap RenderChartBitmap(const CChartPicture& picture, int scale) {
    scale = std::clamp(scale, 1, 3);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture.Width() * scale;
    info.bmiHeader.biHeight = -picture.Height() * scale;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    CBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    CMemoryDC dc;
    if (!bitmap || !dc)
        return CBitmap();
    CSelect select(dc, bitmap);
    {
        CSaveDC saved(dc);
        if (scale > 1) {
            // The same layout, drawn larger: fonts are made at the larger size, so texts stay sharp.
            ::SetGraphicsMode(dc, GM_ADVANCED);
            const XFORM zoom{static_cast<FLOAT>(scale), 0, 0, static_cast<FLOAT>(scale), 0, 0};
            ::SetWorldTransform(dc, &zoom);
        }
        const RECT all{0, 0, picture.Width(), picture.Height()};
        CBrush white(::CreateSolidBrush(CHART_BACKGROUND));
        ::FillRect(dc, &all, white);
        picture.Paint(dc);
    }
    ::GdiFlush();
    return bitmap;
}

CEnhMetaFile RecordChartMetafile(const CChartPicture& picture, HDC reference) {
    CClientDC screen(nullptr);
    HDC ref = reference ? reference : static_cast<HDC>(screen);
    // The frame in 0.01 mm, from the reference DC's pixel size, rounded down:
    // played back into the picture's size it then scales by a hair over 1,
    // so that no coordinate drops to the pixel before.
    const double mmPerPixelX = ::GetDeviceCaps(ref, HORZSIZE) / static_cast<double>(::GetDeviceCaps(ref, HORZRES));
    const double mmPerPixelY = ::GetDeviceCaps(ref, VERTSIZE) / static_cast<double>(::GetDeviceCaps(ref, VERTRES));
    const RECT frame{0, 0, static_cast<LONG>(picture.Width() * mmPerPixelX * 100.0),
                     static_cast<LONG>(picture.Height() * mmPerPixelY * 100.0)};
    HDC dc = ::CreateEnhMetaFileW(ref, nullptr, &frame, L"Velmora\0Flowchart\0");
    if (!dc)
        return CEnhMetaFile();
    {
        const RECT all{0, 0, picture.Width(), picture.Height()};
        CBrush white(::CreateSolidBrush(CHART_BACKGROUND));
        ::FillRect(dc, &all, white);
        picture.Paint(dc);
    }
    return CEnhMetaFile(::CloseEnhMetaFile(dc));
}
