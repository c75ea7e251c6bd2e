#include "chart/chart_svg.h"
#include "chart/chart_palette.h"
#include "chart/connector_plan.h"
#include "chart/element_geometry.h"
#include "chart/element_text.h"
#include "files/line_encoding.h"
#include "model/vocabulary.h"
#include <cstdio>
#include <initializer_list>

namespace {

// Arial's cell: ascent 1854 and descent 434 of 2048 units, so a font asked
// for with cell height h has an em of h * 2048 / 2288.
constexpr double kEmPerCell = 2048.0 / 2288.0;
constexpr double kAscentPerCell = 1854.0 / 2288.0;

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    std::string s(text);
    while (s.back() == '0')
        s.pop_back();
    if (s.back() == '.')
        s.pop_back();
    return s == "-0" ? "0" : s;
}

std::string Colour(ChartColour c) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", RedOf(c), GreenOf(c), BlueOf(c));
    return text;
}

// Lines run through pixel centres, as the view's one-pixel pens do.
std::string Centre(long v) { return Number(static_cast<double>(v) + 0.5); }

std::string Points(std::initializer_list<POINT> points) {
    std::string s;
    for (const POINT& p : points) {
        if (!s.empty())
            s += ' ';
        s += Centre(p.x) + ',' + Centre(p.y);
    }
    return s;
}

class SvgWriter {
public:
    SvgWriter(const ProgramRow* elements, int count, const ChartMetrics& m, const ChartSvgOptions& options)
        : m_elements(elements), m_count(count), m_m(m), m_options(options) {}

    std::string Build() {
        const int width = m_options.width > 0 ? m_options.width : m_m.margin + m_m.elementWidth;
        const int height = m_count * m_m.rowHeight;
        const std::string w = std::to_string(width), h = std::to_string(height);
        m_out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
        m_out += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" + w + "\" height=\"" + h +
                 "\" viewBox=\"0 0 " + w + " " + h +
                 "\" xml:space=\"preserve\" font-family=\"Arial, 'WenQuanYi Zen Hei', sans-serif\">\n";
        m_out += "<rect class=\"background\" x=\"0\" y=\"0\" width=\"" + w + "\" height=\"" + h + "\" fill=\"" +
                 Colour(CHART_BACKGROUND) + "\"/>\n";
        for (int n = 0; n < m_count; ++n)
            Element(n);
        m_out += "</svg>\n";
        return std::move(m_out);
    }

private:
    // Text centred in `box` the way a single centred line is drawn; `bottom`
    // puts the text cell on the box's bottom edge instead.
    void Text(const char* cls, std::wstring_view text, const RECT& box, int cellHeight, int weight, ChartColour colour,
              bool bottom, const std::string& extra = {}) {
        const double cellTop = bottom ? box.bottom - cellHeight : box.top + (box.bottom - box.top - cellHeight) / 2;
        const double x = (box.left + box.right) / 2.0;
        const double baseline = cellTop + cellHeight * kAscentPerCell;
        m_out += "<text class=\"" + std::string(cls) + "\" x=\"" + Number(x) + "\" y=\"" + Number(baseline) +
                 "\" font-size=\"" + Number(cellHeight * kEmPerCell) + "\" font-weight=\"" + std::to_string(weight) +
                 "\" text-anchor=\"middle\" fill=\"" + Colour(colour) + "\"" + extra + ">" + XmlText(text) +
                 "</text>\n";
    }

    void Shape(int code, const RECT& s, const AnchorPoints& a) {
        const std::string paint = " fill=\"" + Colour(CHART_SHAPE_FILL) + "\" stroke=\"" + Colour(CHART_SHAPE_OUTLINE) +
                                  "\"/>\n";
        const long l = s.left, t = s.top, r = s.right, b = s.bottom, midY = a.midY;
        const auto polygon = [&](std::initializer_list<POINT> p) {
            m_out += "<polygon class=\"shape\" points=\"" + Points(p) + "\"" + paint;
        };
        const auto rect = [&](long rx) {
            m_out += "<rect class=\"shape\" x=\"" + Centre(l) + "\" y=\"" + Centre(t) + "\" width=\"" +
                     std::to_string(r - l - 1) + "\" height=\"" + std::to_string(b - t - 1) + "\"" +
                     (rx ? " rx=\"" + Number(rx / 2.0) + "\"" : std::string()) + paint;
        };
        if (code == CMD_FOR)
            polygon({{l, midY}, {l + CHART_LOOP_CUT, t}, {r - CHART_LOOP_CUT, t}, {r, midY}, {r, b}, {l, b}});
        else if (code == CMD_NEXT)
            polygon({{l, midY}, {l + CHART_LOOP_CUT, b}, {r - CHART_LOOP_CUT, b}, {r, midY}, {r, t}, {l, t}});
        else if (code == CMD_IF)
            polygon({a.left, a.top, a.right, a.bottom});
        else if (code == CMD_GOTO || code == CMD_STOP || IsOutputCommand(code))
            rect(0);
        else if (code == CMD_END || code == CMD_START)
            rect(b - t);
    }

    void Stroke(const char* cls, std::initializer_list<POINT> points, ChartColour colour) {
        m_out += "<polyline class=\"" + std::string(cls) + "\" points=\"" + Points(points) +
                 "\" fill=\"none\" stroke=\"" + Colour(colour) + "\"/>\n";
    }

    // `back` is the x offset of the two tails from the tip (+ points left, - right).
    void Arrowhead(POINT tip, int back) {
        Stroke("arrowhead",
               {{tip.x + back, tip.y - CHART_ARROW_SPREAD}, tip, {tip.x + back, tip.y + CHART_ARROW_SPREAD}},
               CHART_CONNECTOR);
    }

    void Connectors(int n, ChartColour textColour) {
        const ProgramRow& element = m_elements[n];
        const ConnectorPlan plan = PlanConnectors(m_elements, m_count, n);
        const ConnectorRoutes routes = RouteConnectors(m_m, n, element.code, plan);
        for (const JumpRoute& j : routes.jumps) {
            if (!j.present)
                continue;
            const POINT bus{j.busX, j.start.y};
            const POINT arrival{routes.flowX, j.arrivalY};
            Stroke("jump", {j.start, bus, {bus.x, arrival.y}, arrival}, CHART_CONNECTOR);
            Arrowhead(bus, j.rightSide ? -CHART_ARROW_BACK : CHART_ARROW_BACK);
            Arrowhead(arrival, j.rightSide ? CHART_ARROW_BACK : -CHART_ARROW_BACK);
        }
        if (plan.entryStub)
            Stroke("entry", {routes.entryFrom, routes.entryTo},
                   element.reachable ? CHART_CONNECTOR : CHART_UNREACHABLE_STUB);
        if (plan.exitStub)
            Stroke("exit", {routes.exitFrom, routes.exitTo}, CHART_CONNECTOR);
        if (plan.throughLine)
            Stroke("through", {routes.entryFrom, routes.exitFrom}, CHART_CONNECTOR);
        const int small = 2 * m_m.smallFontWidth;
        if (plan.yes != LabelPlace::None)
            Text("label", L"Y", routes.yesBox, small, 500, textColour, true);
        if (plan.no != LabelPlace::None)
            Text("label", L"N", routes.noBox, small, 500, textColour, true);
    }

    void Element(int n) {
        const ProgramRow& element = m_elements[n];
        const std::string index = std::to_string(n);
        m_out += "<g class=\"element\" id=\"element-" + index + "\">\n";
        if (m_options.rowNumbers) {
            const RECT band = NumberBandRect(m_m, n);
            m_out += "<rect class=\"band\" x=\"" + std::to_string(band.left) + "\" y=\"" + std::to_string(band.top) +
                     "\" width=\"" + std::to_string(band.right - band.left) + "\" height=\"" +
                     std::to_string(band.bottom - band.top) + "\" fill=\"" +
                     Colour(n % 2 ? CHART_BAND_ODD : CHART_BAND_EVEN) + "\"/>\n";
            if (element.code != CMD_START)
                Text("number", std::to_wstring(n), band, 2 * m_m.smallFontWidth, 500, CHART_NUMBER, false);
        }
        const RECT shape = ShapeRect(m_m, n, element.code);
        const ChartColour textColour = IsFaultyElement(element) ? CHART_TEXT_FAULTY : CHART_TEXT;
        Shape(element.code, shape, ShapeAnchors(shape));
        // The text stays inside its shape's box, as on screen.
        m_out += "<clipPath id=\"clip-" + index + "\"><rect x=\"" + std::to_string(shape.left) + "\" y=\"" +
                 std::to_string(shape.top) + "\" width=\"" + std::to_string(shape.right - shape.left) + "\" height=\"" +
                 std::to_string(shape.bottom - shape.top) + "\"/></clipPath>\n";
        Text("text", ElementText(element), shape, 2 * m_m.textFontWidth, 600, textColour, false,
             " clip-path=\"url(#clip-" + index + ")\"");
        if (m_count > 1)
            Connectors(n, textColour);
        m_out += "</g>\n";
    }

    const ProgramRow* m_elements;
    int m_count;
    const ChartMetrics& m_m;
    const ChartSvgOptions& m_options;
    std::string m_out;
};

bool AllowedInXml(uint32_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0x10FFFF);
}

}  // namespace

std::string XmlText(std::wstring_view text) {
    std::wstring clean;
    for (size_t i = 0; i < text.size(); ++i) {
        uint32_t c = static_cast<uint32_t>(text[i]);
        if constexpr (sizeof(wchar_t) == 2) {
            if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size()) {
                const uint32_t low = static_cast<uint32_t>(text[i + 1]);
                if (low >= 0xDC00 && low <= 0xDFFF) {
                    clean += text.substr(i, 2);
                    ++i;
                    continue;
                }
            }
        }
        if (!AllowedInXml(c))
            c = 0xFFFD;
        switch (c) {
        case '&': clean += L"&amp;"; break;
        case '<': clean += L"&lt;"; break;
        case '>': clean += L"&gt;"; break;
        case '"': clean += L"&quot;"; break;
        default: clean += static_cast<wchar_t>(c); break;
        }
    }
    std::string bytes;
    AppendUtf8Text(clean, bytes);
    return bytes;
}

std::string ChartSvg(const ProgramRow* elements, int count, const ChartMetrics& m, const ChartSvgOptions& options) {
    if (!elements || count < 0)
        count = 0;
    return SvgWriter(elements, count, m, options).Build();
}
