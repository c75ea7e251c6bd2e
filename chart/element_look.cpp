#include "chart/element_look.h"
#include <algorithm>
#include <cwchar>

namespace {

bool SameRow(const ProgramRow& a, const ProgramRow& b) {
    return a.errorFlags == b.errorFlags && a.reachable == b.reachable && a.code == b.code &&
           std::wmemcmp(a.name, b.name, ROW_TEXT_SIZE) == 0 &&
           std::wmemcmp(&a.params[0][0], &b.params[0][0], ROW_PARAM_SLOTS * ROW_TEXT_SIZE) == 0;
}

bool SamePlan(const ConnectorPlan& a, const ConnectorPlan& b) {
    return a.entryStub == b.entryStub && a.exitStub == b.exitStub && a.throughLine == b.throughLine &&
           std::equal(a.jump, a.jump + JUMP_SLOT_COUNT, b.jump) &&
           std::equal(a.target, a.target + JUMP_SLOT_COUNT, b.target) && a.yes == b.yes && a.no == b.no;
}

// Band of a content y; rows above the chart count as band 0, below as the last.
int BandOf(const ChartMetrics& m, int y) {
    if (m.rowHeight <= 0 || y < 0)
        return 0;
    return std::min(y / m.rowHeight, CHART_MAX_ELEMENTS - 1);
}

}  // namespace

bool SameBody(const ElementLook& a, const ElementLook& b) {
    return SameRow(a.element, b.element) && SamePlan(a.plan, b.plan);
}

bool SameNumberBand(const ElementLook& a, const ElementLook& b) {
    return a.selected == b.selected && (!a.selected || a.focused == b.focused);
}

BandSpan ElementSpan(const ChartMetrics& m, int n, int code, const ConnectorPlan& plan) {
    BandSpan span{std::clamp(n, 0, CHART_MAX_ELEMENTS - 1), std::clamp(n + 1, 0, CHART_MAX_ELEMENTS - 1)};
    const ConnectorRoutes routes = RouteConnectors(m, n, code, plan);
    for (const JumpRoute& j : routes.jumps) {
        if (!j.present)
            continue;
        span.first = std::min(span.first, BandOf(m, std::min<int>(j.start.y, j.arrivalY) - CHART_ARROW_SPREAD));
        span.last = std::max(span.last, BandOf(m, std::max<int>(j.start.y, j.arrivalY) + CHART_ARROW_SPREAD));
    }
    return span;
}
