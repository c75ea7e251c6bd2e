// The flowchart leaving the editor on the real main window: PNG and SVG
// files read back, the picture on the real clipboard, printing into A4
// metafile pages, and the view's menu and keys.
#include "app/chart_export.h"
#include "app/chart_print.h"
#include "app/extra_texts.h"
#include "app/fill_in_text.h"
#include "app/png_encoder.h"
#include "app/print_target.h"
#include "app/velmora_app.h"
#include "app/context_menu.h"
#include "chart/chart_palette.h"
#include "chart/chart_picture.h"
#include "res/resource.h"
#include "tests/app/file_edit_fixture.h"
#include <objbase.h>
#include <wincodec.h>
#include <filesystem>
#include <fstream>
#include <memory>

namespace {

using testing_support::PixelCanvas;

const std::vector<std::string> kExample = {
    "1\tFOR 0", "2\tIF IN1 = 100 THEN 3 ELSE 5", "3\tOUT1 0.5", "4\tGOTO 6", "5\tOUT2 2", "6\tNEXT", "7\tEND", "8\t"};

// 50 rows: outputs with a loop around them and jumps across the pages.
std::vector<std::string> LongProgram() {
    std::vector<std::string> lines{"1\tFOR 3"};
    for (int i = 2; i <= 48; ++i) {
        std::string line = std::to_string(i);
        if (i % 10 == 0) {
            line += "\tGOTO ";
            line += std::to_string(i + 2);
        } else {
            line += "\tOUT1 1";
        }
        lines.push_back(line);
    }
    lines.push_back("49\tNEXT");
    lines.push_back("50\tEND");
    return lines;
}

// A decoded picture: width, height and 0x00RRGGBB pixels, top-down.
struct Decoded {
    UINT width = 0, height = 0;
    std::vector<uint32_t> pixels;
    COLORREF At(UINT x, UINT y) const {
        const uint32_t p = pixels[static_cast<size_t>(y) * width + x];
        return RGB(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF);
    }
};

// Reads a PNG file back through the platform's decoder.
Decoded DecodePng(const std::wstring& path) {
    Decoded out;
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IWICImagingFactory* factory = nullptr;
    IWICBitmapDecoder* decoder = nullptr;
    IWICBitmapFrameDecode* frame = nullptr;
    IWICFormatConverter* converter = nullptr;
    HRESULT hr = ::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                    reinterpret_cast<void**>(&factory));
    if (SUCCEEDED(hr))
        hr = factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                                &decoder);
    if (SUCCEEDED(hr))
        hr = decoder->GetFrame(0, &frame);
    if (SUCCEEDED(hr))
        hr = factory->CreateFormatConverter(&converter);
    if (SUCCEEDED(hr))
        hr = converter->Initialize(frame, GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone, nullptr, 0,
                                   WICBitmapPaletteTypeCustom);
    if (SUCCEEDED(hr))
        hr = converter->GetSize(&out.width, &out.height);
    if (SUCCEEDED(hr)) {
        out.pixels.resize(static_cast<size_t>(out.width) * out.height);
        hr = converter->CopyPixels(nullptr, out.width * 4, static_cast<UINT>(out.pixels.size() * 4),
                                   reinterpret_cast<BYTE*>(out.pixels.data()));
    }
    for (IUnknown* p : {static_cast<IUnknown*>(converter), static_cast<IUnknown*>(frame),
                        static_cast<IUnknown*>(decoder), static_cast<IUnknown*>(factory)})
        if (p)
            p->Release();
    ::CoUninitialize();
    if (FAILED(hr))
        out = {};
    return out;
}

std::string ReadFile(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class ChartExportTest : public FileEditTest {
protected:
    // Opens a program the way Open does, so the window knows its file name.
    void Load(MainWindowHarness& w, const std::wstring& name, const std::vector<std::string>& lines) {
        LoadLines(w, File(name), lines);
        w.SetLastPath(File(name));
    }

    // The save dialog answers with `path` under the 1-based filter `filter`.
    void AnswerExport(const std::wstring& path, int filter) {
        SetFileDialogHook([this, path, filter](const FileDialogRequest& request) -> std::optional<std::wstring> {
            dialogs.push_back(request);
            if (request.chosenFilter)
                *request.chosenFilter = filter;
            return path;
        });
    }

    // The view's client area as it shows on screen, without a selection.
    static void CaptureView(MainWindowHarness& w, PixelCanvas& canvas) {
        w.Chart().m_nSelected = -1;
        w.Chart().RenderChart();
        ::UpdateWindow(w.Chart().m_hWnd);
        testing_support::PumpMessages();
        RECT window{};
        ::GetWindowRect(w.Chart().m_hWnd, &window);
        POINT origin{0, 0};
        ::ClientToScreen(w.Chart().m_hWnd, &origin);
        HDC screen = ::GetDC(nullptr);
        ::BitBlt(canvas.dc(), 0, 0, canvas.width(), canvas.height(), screen, origin.x, origin.y, SRCCOPY);
        ::ReleaseDC(nullptr, screen);
    }
};

TEST_F(ChartExportTest, PngAtOnceTheWidthIsTheViewPixelForPixelAndTwiceIsTwiceAsWide) {
    MainWindowHarness window;
    Run(window, [&](MainWindowHarness& w) {
        Load(w, L"example.stxt", kExample);
        const ChartSource source = w.CurrentChart();
        const RECT client = w.Chart().GetClientRect();
        ASSERT_GT(client.right, 0);
        EXPECT_EQ(source.width, client.right);
        EXPECT_EQ(source.fileName, File(L"example.stxt"));

        AnswerExport(File(L"chart.png"), 3);
        ASSERT_TRUE(ExportChart(w.m_hWnd, w.CurrentChart()));
        const Decoded once = DecodePng(File(L"chart.png"));
        const int rowHeight = g_chartMetrics.rowHeight;
        ASSERT_EQ(once.width, static_cast<UINT>(client.right));
        ASSERT_EQ(once.height, static_cast<UINT>(9 * rowHeight));
        EXPECT_EQ(ReadFile(File(L"chart.png")).substr(1, 3), "PNG");

        const int height = std::min<int>(client.bottom, 9 * rowHeight);
        PixelCanvas screen(client.right, height);
        CaptureView(w, screen);
        int differing = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < client.right; ++x)
                differing += once.At(static_cast<UINT>(x), static_cast<UINT>(y)) != screen.At(x, y);
        EXPECT_EQ(differing, 0) << "of " << client.right * height << " pixels";
        EXPECT_GT(screen.Count(RGB(50, 50, 160), 0, 0, client.right, height), 100) << "the chart was on screen";

        for (int scale : {2, 3}) {
            const std::wstring name = L"chart" + std::to_wstring(scale) + L"x";
            AnswerExport(File(name), 2 + scale);  // no extension typed: the filter's is added
            ASSERT_TRUE(ExportChart(w.m_hWnd, w.CurrentChart()));
            const Decoded big = DecodePng(File(name + L".png"));
            EXPECT_EQ(big.width, scale * once.width);
            EXPECT_EQ(big.height, scale * once.height);
            // The same picture, larger: the first number band keeps its colour.
            EXPECT_EQ(big.At(scale * 2, scale * (rowHeight + 2)), once.At(2, rowHeight + 2));
        }
        EXPECT_TRUE(ErrorTexts().empty());
    });
}

TEST_F(ChartExportTest, SvgExportsWithAndWithoutRowNumbers) {
    MainWindowHarness window;
    Run(window, [&](MainWindowHarness& w) {
        Load(w, L"example.stxt", kExample);
        AnswerExport(File(L"chart.svg"), 1);
        ASSERT_TRUE(ExportChart(w.m_hWnd, w.CurrentChart()));
        ASSERT_FALSE(dialogs.empty());
        EXPECT_EQ(dialogs.back().initialName, L"example");
        EXPECT_EQ(dialogs.back().title, L"Export flowchart");
        const std::string with = ReadFile(File(L"chart.svg"));
        EXPECT_EQ(with.compare(0, 5, "<?xml"), 0);
        EXPECT_NE(with.find("class=\"band\""), std::string::npos);
        EXPECT_NE(with.find("width=\"" + std::to_string(w.Chart().GetClientRect().right) + "\""), std::string::npos);

        AnswerExport(File(L"bare.svg"), 2);
        ASSERT_TRUE(ExportChart(w.m_hWnd, w.CurrentChart()));
        const std::string without = ReadFile(File(L"bare.svg"));
        EXPECT_EQ(without.find("class=\"band\""), std::string::npos);
        EXPECT_NE(without.find(">START<"), std::string::npos);
    });
}

TEST_F(ChartExportTest, AnExportThatCannotBeWrittenSaysSoAndLeavesTheOldFile) {
    MainWindowHarness window;
    Run(window, [&](MainWindowHarness& w) {
        Load(w, L"example.stxt", kExample);
        const std::wstring missing = File(L"no such folder\\chart.svg");
        AnswerExport(missing, 1);
        EXPECT_FALSE(ExportChart(w.m_hWnd, w.CurrentChart()));
        ASSERT_EQ(ErrorTexts().size(), 1u);
        EXPECT_EQ(ErrorTexts()[0], L"The flowchart could not be saved as " + missing + L".");

        // A cancelled dialog writes nothing and says nothing.
        SetFileDialogHook([](const FileDialogRequest&) -> std::optional<std::wstring> { return std::nullopt; });
        EXPECT_FALSE(ExportChart(w.m_hWnd, w.CurrentChart()));
        EXPECT_EQ(ErrorTexts().size(), 1u);
    });
}

TEST_F(ChartExportTest, CopyPictureHoldsBitmapAndMetafileThatPlaysBackToTheSamePicture) {
    MainWindowHarness window;
    Run(window, [&](MainWindowHarness& w) {
        // Row 3 has no parameter: its text must stay red in every format.
        Load(w, L"faulty.stxt", {"1\tFOR 0", "2\tOUT1 1", "3\tOUT2", "4\tNEXT", "5\tEND"});
        const ChartSource source = w.CurrentChart();
        ASSERT_TRUE(CopyChartPicture(w.m_hWnd, source));
        EXPECT_TRUE(ErrorTexts().empty());
        EXPECT_TRUE(::IsClipboardFormatAvailable(CF_DIB));
        EXPECT_TRUE(::IsClipboardFormatAvailable(CF_BITMAP));
        EXPECT_TRUE(::IsClipboardFormatAvailable(CF_ENHMETAFILE));

        const CChartPicture picture(source.rows, source.count, source.width);
        const int width = picture.Width(), height = picture.Height();
        PixelCanvas fromDib(width, height), fromMetafile(width, height, RGB(1, 2, 3));
        ASSERT_TRUE(::OpenClipboard(w.m_hWnd));
        HGLOBAL dib = ::GetClipboardData(CF_DIB);
        auto* header = dib ? static_cast<BITMAPINFO*>(::GlobalLock(dib)) : nullptr;
        ASSERT_TRUE(header);
        EXPECT_EQ(header->bmiHeader.biWidth, width);
        EXPECT_EQ(header->bmiHeader.biHeight, height);
        ::SetDIBitsToDevice(fromDib.dc(), 0, 0, width, height, 0, 0, 0, height,
                            reinterpret_cast<BYTE*>(header) + header->bmiHeader.biSize, header, DIB_RGB_COLORS);
        ::GlobalUnlock(dib);
        HENHMETAFILE metafile = static_cast<HENHMETAFILE>(::GetClipboardData(CF_ENHMETAFILE));
        ASSERT_TRUE(metafile);
        ENHMETAHEADER info{};
        ::GetEnhMetaFileHeader(metafile, sizeof info, &info);
        EXPECT_EQ(info.rclBounds.right - info.rclBounds.left + 1, width);
        const RECT all{0, 0, width, height};
        EXPECT_TRUE(::PlayEnhMetaFile(fromMetafile.dc(), metafile, &all));
        ::CloseClipboard();

        // The metafile's frame is kept in 0.01 mm, so playing it back into the
        // picture's pixels scales by a hair off 1 and an edge may land one
        // pixel over; every pixel must still find its colour within one pixel.
        int differing = 0, unmatched = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                if (fromDib.At(x, y) == fromMetafile.At(x, y))
                    continue;
                ++differing;
                bool dibNear = false, metafileNear = false;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int nx = std::clamp(x + dx, 0, width - 1), ny = std::clamp(y + dy, 0, height - 1);
                        dibNear = dibNear || fromDib.At(nx, ny) == fromMetafile.At(x, y);
                        metafileNear = metafileNear || fromMetafile.At(nx, ny) == fromDib.At(x, y);
                    }
                unmatched += !(dibNear && metafileNear);
            }
        EXPECT_EQ(unmatched, 0);
        EXPECT_LT(differing, width * height / 50) << "of " << width * height << " pixels";
        const ChartMetrics& m = picture.Metrics();
        EXPECT_GT(fromDib.Count(RGB(255, 0, 0), 0, 3 * m.rowHeight, width, 4 * m.rowHeight), 10) << "red text";
        EXPECT_EQ(fromDib.Count(RGB(255, 0, 0), 0, 2 * m.rowHeight, width, 3 * m.rowHeight - 1), 0);
        fromMetafile.SaveBmp(L"copied-metafile.bmp");
        fromDib.SaveBmp(L"copied-bitmap.bmp");
    });
}

// Printing into metafile pages of A4 size, one logical unit a pixel at 96 dpi.
struct PrintedDocument {
    std::wstring name;
    std::vector<HENHMETAFILE> pages;
    bool ended = false, aborted = false;
    int failPage = -1;  // StartPage fails for this page
    ~PrintedDocument() {
        for (HENHMETAFILE page : pages)
            ::DeleteEnhMetaFile(page);
    }
};

constexpr SIZE kA4{794, 1123};  // 210 x 297 mm at 96 dpi

class CMetafilePages : public CPrintTarget {
public:
    explicit CMetafilePages(PrintedDocument& doc) : m_doc(doc) {}
    SIZE PageSize() const override { return kA4; }
    SIZE PixelsPerInch() const override { return {96, 96}; }
    bool StartDocument(const std::wstring& name) override {
        m_doc.name = name;
        return true;
    }
    bool StartPage() override {
        if (static_cast<int>(m_doc.pages.size()) == m_doc.failPage)
            return false;
        const RECT frame{0, 0, 21000, 29700};
        m_dc = ::CreateEnhMetaFileW(nullptr, nullptr, &frame, nullptr);
        return m_dc != nullptr;
    }
    HDC PageDc() const override { return m_dc; }
    bool EndPage() override {
        m_doc.pages.push_back(::CloseEnhMetaFile(m_dc));
        m_dc = nullptr;
        return m_doc.pages.back() != nullptr;
    }
    bool EndDocument() override { return m_doc.ended = true; }
    void AbortDocument() override { m_doc.aborted = true; }

private:
    PrintedDocument& m_doc;
    HDC m_dc = nullptr;
};

// The texts a metafile page draws.
std::vector<std::wstring> PageTexts(HENHMETAFILE page) {
    std::vector<std::wstring> texts;
    ::EnumEnhMetaFile(
        nullptr, page,
        [](HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data) -> int {
            if (record->iType == EMR_EXTTEXTOUTW) {
                const auto* text = reinterpret_cast<const EMREXTTEXTOUTW*>(record);
                const auto* chars = reinterpret_cast<const wchar_t*>(reinterpret_cast<const BYTE*>(record) +
                                                                     text->emrtext.offString);
                reinterpret_cast<std::vector<std::wstring>*>(data)->emplace_back(chars, text->emrtext.nChars);
            }
            return 1;
        },
        &texts, nullptr);
    return texts;
}

bool Holds(const std::vector<std::wstring>& texts, const std::wstring& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

class ChartPrintTest : public ChartExportTest {
protected:
    ChartPrintTest() {
        SetPrintDialogHook([this](HWND) -> std::unique_ptr<CPrintTarget> {
            ++printDialogs;
            return cancelPrint ? nullptr : std::make_unique<CMetafilePages>(doc);
        });
    }
    ~ChartPrintTest() override { SetPrintDialogHook({}); }
    PrintedDocument doc;
    int printDialogs = 0;
    bool cancelPrint = false;
};

TEST_F(ChartPrintTest, ALongProgramPrintsOnA4PagesSplitBetweenElements) {
    MainWindowHarness window;
    Run(window, [&](MainWindowHarness& w) {
        Load(w, L"long.stxt", LongProgram());
        const ChartSource source = w.CurrentChart();
        const CChartPicture picture(source.rows, source.count, source.width);
        ASSERT_EQ(picture.ElementCount(), 51);
        const ChartPageLayout layout = LayOutChartPages(kA4, {96, 96}, picture.Width(), picture.Metrics().rowHeight,
                                                        51);
        ASSERT_GT(layout.pages.size(), 1u);

        const int printed = PrintChart(w.m_hWnd, source);
        ASSERT_EQ(printed, static_cast<int>(layout.pages.size()));
        ASSERT_EQ(doc.pages.size(), layout.pages.size());
        EXPECT_TRUE(doc.ended);
        EXPECT_FALSE(doc.aborted);
        EXPECT_EQ(doc.name, L"long.stxt");
        EXPECT_TRUE(ErrorTexts().empty());

        const double rowHeight = picture.Metrics().rowHeight * layout.scale;
        EXPECT_NEAR(picture.Width() * layout.scale, layout.body.right - layout.body.left, 0.01) << "page width";
        for (size_t i = 0; i < doc.pages.size(); ++i) {
            const PageRange& range = layout.pages[i];
            const std::vector<std::wstring> texts = PageTexts(doc.pages[i]);
            EXPECT_TRUE(Holds(texts, L"long.stxt")) << i;
            EXPECT_TRUE(
                Holds(texts, FillInText(L"Page %d of %d", {std::to_wstring(i + 1), std::to_wstring(doc.pages.size())})))
                << i;
            EXPECT_TRUE(range.first == 0 || Holds(texts, std::to_wstring(range.first))) << i;

            PixelCanvas page(kA4.cx, kA4.cy);
            const RECT all{0, 0, kA4.cx, kA4.cy};
            ASSERT_TRUE(::PlayEnhMetaFile(page.dc(), doc.pages[i], &all));
            const int chartBottom = layout.body.top + static_cast<int>((range.end - range.first) * rowHeight);
            EXPECT_LE(chartBottom, layout.body.bottom) << "an element cut by the page edge";
            // The number bands run from the body's top to the last element's bottom, and no further.
            const int bandX = layout.body.left + 3;
            EXPECT_NE(page.At(bandX, layout.body.top + 2), RGB(255, 255, 255)) << i;
            EXPECT_NE(page.At(bandX, chartBottom - 3), RGB(255, 255, 255)) << i;
            EXPECT_EQ(page.Count(RGB(255, 255, 255), 0, chartBottom + 2, kA4.cx, layout.footer.top),
                      kA4.cx * (layout.footer.top - chartBottom - 2))
                << "nothing of the next element on page " << i;
            if (i == 0)
                page.SaveBmp(L"printed-page-1.bmp");
        }
    });
}

TEST_F(ChartPrintTest, CancelledOrFailedPrinting) {
    MainWindowHarness window;
    Run(window, [&](MainWindowHarness& w) {
        Load(w, L"long.stxt", LongProgram());
        cancelPrint = true;
        EXPECT_EQ(PrintChart(w.m_hWnd, w.CurrentChart()), 0);
        EXPECT_TRUE(doc.pages.empty());
        EXPECT_TRUE(ErrorTexts().empty());

        cancelPrint = false;
        doc.failPage = 1;
        EXPECT_EQ(PrintChart(w.m_hWnd, w.CurrentChart()), -1);
        EXPECT_TRUE(doc.aborted);
        EXPECT_FALSE(doc.ended);
        ASSERT_EQ(ErrorTexts().size(), 1u);
        EXPECT_EQ(ErrorTexts()[0], L"The flowchart could not be printed.");
    });
}

TEST_F(ChartPrintTest, AnEmptyProgramPrintsJustStartUntitled) {
    MainWindowHarness window;
    Run(window, [&](MainWindowHarness& w) {
        w.SetLastPath(L"");
        EXPECT_EQ(PrintChart(w.m_hWnd, {w.Rows(), 0, 400, L""}), 1);
        ASSERT_EQ(doc.pages.size(), 1u);
        const auto texts = PageTexts(doc.pages[0]);
        EXPECT_TRUE(Holds(texts, L"Untitled"));
        EXPECT_TRUE(Holds(texts, L"START"));
        EXPECT_TRUE(Holds(texts, L"Page 1 of 1"));
    });
}

// The view's own menu, watched while it shows: its texts are read and an item chosen by keys.
class ChartMenuProbe : public MainWindowHarness {
public:
    std::vector<std::wstring> texts;
    int choose = 0;  // 1-based item to choose, 0 to close the menu

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_INITMENUPOPUP)
            m_popup = reinterpret_cast<HMENU>(wParam);
        if (msg == WM_ENTERIDLE && wParam == MSGF_MENU && m_popup) {
            HWND menuWindow = reinterpret_cast<HWND>(lParam);
            texts.clear();
            for (int i = 0; i < ::GetMenuItemCount(m_popup); ++i) {
                const OwnerDrawnItem* item = COwnerDrawnMenu::ItemOf(m_popup, static_cast<UINT>(i), true);
                texts.push_back(item ? item->text : L"?");
            }
            m_popup = nullptr;
            for (int i = 0; i < choose; ++i)
                ::PostMessageW(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
            ::PostMessageW(menuWindow, WM_KEYDOWN, choose ? VK_RETURN : VK_ESCAPE, 0);
        }
        return MainWindowHarness::WindowProc(msg, wParam, lParam);
    }

private:
    HMENU m_popup = nullptr;
};

TEST_F(ChartPrintTest, TheViewsMenuAndKeysReachExportCopyAndPrint) {
    ChartMenuProbe window;
    Run(window, [&](MainWindowHarness&) {
        ChartMenuProbe& w = window;
        Load(w, L"example.stxt", kExample);
        ::OpenClipboard(w.m_hWnd);
        ::EmptyClipboard();
        ::CloseClipboard();

        // A right click over the view opens its menu; the second item copies the picture.
        RECT view{};
        ::GetWindowRect(w.Chart().m_hWnd, &view);
        w.choose = 2;
        ::SendMessageW(w.Chart().m_hWnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(w.Chart().m_hWnd),
                       MAKELPARAM(view.left + 20, view.top + 20));
        w.Pump();
        EXPECT_EQ(w.texts, (std::vector<std::wstring>{L"Export\u2026", L"Copy picture", L"Print\u2026"}));
        EXPECT_TRUE(::IsClipboardFormatAvailable(CF_ENHMETAFILE));

        // From the keyboard (Shift+F10) the menu opens too; the third item prints.
        w.texts.clear();
        w.choose = 3;
        ::SendMessageW(w.Chart().m_hWnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(w.Chart().m_hWnd),
                       MAKELPARAM(-1, -1));
        w.Pump();
        EXPECT_EQ(w.texts.size(), 3u);
        EXPECT_EQ(printDialogs, 1);

        // Over the grid the grid's own menu opens instead.
        w.texts.clear();
        w.choose = 0;
        RECT grid{};
        ::GetWindowRect(w.Grid().m_hWnd, &grid);
        Select(w, 0);
        ::SendMessageW(w.m_hWnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(w.Grid().m_hWnd),
                       MAKELPARAM(grid.left + 30, grid.top + 30));
        w.Pump();
        EXPECT_GT(w.texts.size(), 3u);

        // Ctrl+E and Ctrl+P from the grid and from the view.
        AnswerExport(File(L"keyed.svg"), 1);
        for (HWND target : {w.Grid().m_hWnd, w.Chart().m_hWnd}) {
            BYTE keys[256] = {};
            ::GetKeyboardState(keys);
            keys[VK_CONTROL] = 0x80;
            ::SetKeyboardState(keys);
            w.PressKey(target, 'E');
            w.PressKey(target, 'P');
            keys[VK_CONTROL] = 0;
            ::SetKeyboardState(keys);
        }
        EXPECT_EQ(dialogs.size(), 2u);
        EXPECT_EQ(printDialogs, 3);
        EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(File(L"keyed.svg"))));
        // Without Ctrl, E is just a key.
        w.PressKey(w.Chart().m_hWnd, 'E');
        EXPECT_EQ(dialogs.size(), 2u);
    });
}

TEST(ChartTexts, EveryChartTextHasAKeyAndBothLanguages) {
    for (int id = XT_CHART_EXPORT; id <= XT_CHART_PRINT_UNTITLED; ++id) {
        const ExtraTextDefinition& d = ExtraTextDefinitionOf(static_cast<ExtraTextId>(id));
        EXPECT_FALSE(d.key.empty()) << id;
        EXPECT_FALSE(d.english.empty()) << id;
        EXPECT_FALSE(d.chinese.empty()) << id;
        EXPECT_NE(d.english, d.chinese) << id;
    }
    // Both filters name five kinds of file, in the order of ChartFileKind.
    const ExtraTextDefinition& filter = ExtraTextDefinitionOf(XT_CHART_EXPORT_FILTER);
    for (std::wstring_view text : {filter.english, filter.chinese})
        EXPECT_EQ(std::count(text.begin(), text.end(), L'|'), 11) << "5 pairs and the closing ||";
    EXPECT_EQ(ChartFileKindOfFilter(4), ChartFileKind::Png2x);
    EXPECT_EQ(ChartFileKindOfFilter(0), ChartFileKind::Svg);
    EXPECT_EQ(ChartFileKindOfFilter(99), ChartFileKind::Svg);
}

TEST(FillInText, FillsPlaceholdersInOrderAndNothingElse) {
    const struct {
        const wchar_t* text;
        std::vector<std::wstring> values;
        const wchar_t* expected;
    } cases[] = {
        {L"Page %d of %d", {L"2", L"7"}, L"Page 2 of 7"},
        {L"第 %d 页，共 %d 页", {L"1", L"3"}, L"第 1 页，共 3 页"},
        {L"saved as %s.", {L"C:\\a%d.svg"}, L"saved as C:\\a%d.svg."},  // values are not formats
        {L"%s %s %s %n %x", {L"a"}, L"a   %n %x"},                      // missing values, other specs kept
        {L"100%% sure", {}, L"100% sure"},
        {L"trailing %", {L"x"}, L"trailing %"},
    };
    for (const auto& c : cases) {
        std::wstring out;
        if (c.values.empty())
            out = FillInText(c.text, {});
        else if (c.values.size() == 1)
            out = FillInText(c.text, {c.values[0]});
        else
            out = FillInText(c.text, {c.values[0], c.values[1]});
        EXPECT_EQ(out, c.expected);
    }
}

}  // namespace
