#include "app/chart_print.h"
#include "app/extra_texts.h"
#include "app/fill_in_text.h"
#include "app/print_target.h"
#include "app/show_error.h"
#include "app/velmora_app.h"
#include "chart/chart_picture.h"
#include "framework/gdi.h"
#include <algorithm>
#include <filesystem>

namespace {

constexpr int kPointsPerInch = 72;
constexpr int kTextPoints = 10;  // header and footer

CFont MakePageFont(SIZE dpi) {
    return CFont(::CreateFontW(-dpi.cy * kTextPoints / kPointsPerInch, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                               DEFAULT_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                               VARIABLE_PITCH | FF_SWISS, L"Arial"));
}

std::wstring Today() {
    wchar_t text[80] = {};
    if (!::GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, text, 80))
        return std::wstring();
    return text;
}

void PageText(HDC dc, const std::wstring& text, RECT box, UINT align) {
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box,
                align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void PrintPage(HDC dc, const CChartPicture& picture, const ChartPageLayout& layout, const PageRange& range, HFONT font,
               const std::wstring& name, const std::wstring& date, const std::wstring& number) {
    {
        CSelect select(dc, font);
        CTextStyle style(dc, RGB(0, 0, 0), TRANSPARENT);
        PageText(dc, name, layout.header, DT_LEFT);
        PageText(dc, date, layout.header, DT_RIGHT);
        PageText(dc, number, layout.footer, DT_CENTER);
    }
    CSaveDC saved(dc);
    ::SetGraphicsMode(dc, GM_ADVANCED);
    const double top = layout.body.top - range.first * picture.Metrics().rowHeight * layout.scale;
    const XFORM place{
        static_cast<FLOAT>(layout.scale), 0, 0, static_cast<FLOAT>(layout.scale), static_cast<FLOAT>(layout.body.left),
        static_cast<FLOAT>(top)};
    ::SetWorldTransform(dc, &place);
    picture.Paint(dc, range.first, range.end);
}

}  // namespace

ChartPageLayout LayOutChartPages(SIZE page, SIZE dpi, int pictureWidth, int rowHeight, int count) {
    ChartPageLayout layout{};
    const LONG marginX = std::max<LONG>(dpi.cx / 2, 0), marginY = std::max<LONG>(dpi.cy / 2, 0);
    const LONG line = std::max<LONG>(dpi.cy * kTextPoints * 2 / kPointsPerInch, 1);  // text line with its spacing
    const LONG left = marginX, right = std::max(left + 1, page.cx - marginX);
    const LONG top = marginY, bottom = std::max(top + 2 * line + 1, page.cy - marginY);
    layout.header = {left, top, right, top + line};
    layout.footer = {left, bottom - line, right, bottom};
    layout.body = {left, layout.header.bottom + line / 2, right, layout.footer.top - line / 2};
    if (layout.body.bottom <= layout.body.top)
        layout.body.bottom = layout.body.top + 1;
    layout.scale = pictureWidth > 0 ? static_cast<double>(right - left) / pictureWidth : 1.0;
    const double bodyHeight = (layout.body.bottom - layout.body.top) / layout.scale;
    layout.pages = SplitIntoPages(count, rowHeight, bodyHeight);
    return layout;
}

int PrintChart(HWND owner, const ChartSource& source) {
    std::unique_ptr<CPrintTarget> target = ShowPrintDialog(owner);
    if (!target)
        return 0;
    const CChartPicture picture(source.rows, source.count, source.width);
    const ChartPageLayout layout = LayOutChartPages(target->PageSize(), target->PixelsPerInch(), picture.Width(),
                                                    picture.Metrics().rowHeight, picture.ElementCount());
    const std::wstring name = source.fileName.empty() ? g_velmoraApp.Text(XT_CHART_PRINT_UNTITLED)
                                                      : std::filesystem::path(source.fileName).filename().wstring();
    const std::wstring date = Today();
    const CFont font = MakePageFont(target->PixelsPerInch());
    const int total = static_cast<int>(layout.pages.size());
    bool ok = target->StartDocument(name);
    const bool started = ok;
    for (int i = 0; ok && i < total; ++i) {
        ok = target->StartPage();
        if (!ok)
            break;
        const std::wstring number = FillInText(g_velmoraApp.Text(XT_CHART_PRINT_PAGE),
                                               {std::to_wstring(i + 1), std::to_wstring(total)});
        PrintPage(target->PageDc(), picture, layout, layout.pages[static_cast<size_t>(i)], font, name, date, number);
        ok = target->EndPage();
    }
    if (ok)
        ok = target->EndDocument();
    else if (started)
        target->AbortDocument();
    if (!ok) {
        ShowError(owner, L"%s", g_velmoraApp.Text(XT_CHART_PRINT_FAILED).c_str());
        return -1;
    }
    return total;
}
