#include "chart/connector_plan.h"
#include "chart/element_geometry.h"
#include "model/text_number.h"
#include "model/vocabulary.h"
#include <algorithm>

namespace {

int ParamValue(const ProgramRow& row, int slot) { return ReadDecimal(RowText(row.params[slot])); }

void PlaceJump(ConnectorPlan& plan, int n, int target, bool rightSide) {
    const int slot = (rightSide ? SLOT_RIGHT_BACK : SLOT_LEFT_BACK) + (target > n ? 1 : 0);
    plan.jump[slot] = true;
    plan.target[slot] = target;
}

// The FOR a NEXT at n closes, counting nested loops; -1 when there is none.
int MatchingFor(const ProgramRow* elements, int n) {
    int depth = 1;
    for (int i = n - 1; i >= 1; --i) {
        if (elements[i].code == CMD_FOR)
            --depth;
        else if (elements[i].code == CMD_NEXT)
            ++depth;
        if (depth == 0)
            return i;
    }
    return -1;
}

void PlanIf(ConnectorPlan& plan, const ProgramRow& row, int n) {
    const int p = ParamValue(row, 4);  // THEN line
    const int q = ParamValue(row, 6);  // ELSE line
    plan.exitStub = false;
    if (p == n + 1) {
        plan.exitStub = true;
        plan.yes = LabelPlace::Below;
    } else if (p != 0) {
        PlaceJump(plan, n, p, false);
        plan.yes = LabelPlace::Left;
    }
    if (q == 0)
        return;
    if (!plan.exitStub && q == n + 1) {
        plan.exitStub = true;
        plan.no = LabelPlace::Below;
    } else {
        PlaceJump(plan, n, q, true);
        plan.no = LabelPlace::Right;
    }
}

}  // namespace

ConnectorPlan PlanConnectors(const ProgramRow* elements, int count, int n) {
    ConnectorPlan plan;
    if (!elements || count <= 1 || n < 0 || n >= count)
        return plan;
    const ProgramRow& row = elements[n];
    const bool last = n == count - 1;
    plan.entryStub = n != 0;
    plan.exitStub = !last && row.code != CMD_END;

    switch (row.code) {
    case CMD_NONE: {
        const bool through = row.reachable && (last || elements[n + 1].reachable);
        plan.entryStub = plan.exitStub = plan.throughLine = through;
        break;
    }
    case CMD_NEXT: {
        const int target = MatchingFor(elements, n);
        if (target >= 0)
            PlaceJump(plan, n, target, true);
        break;
    }
    case CMD_GOTO: {
        const int p = ParamValue(row, 0);
        plan.exitStub = p == n + 1;
        if (!plan.exitStub && p != 0)
            PlaceJump(plan, n, p, false);
        break;
    }
    case CMD_IF: PlanIf(plan, row, n); break;
    default: break;
    }
    return plan;
}

ConnectorRoutes RouteConnectors(const ChartMetrics& m, int n, int code, const ConnectorPlan& plan) {
    ConnectorRoutes routes;
    const RECT row = RowBandRect(m, n);
    const AnchorPoints a = ShapeAnchors(ShapeRect(m, n, code));
    const int arrow = ArrowLength(m);
    routes.flowX = a.midX;
    routes.entryFrom = a.top;
    routes.entryTo = {a.midX, row.top};
    routes.exitFrom = a.bottom;
    routes.exitTo = {a.midX, row.bottom + 1};

    // A target above the chart (only a hand-made file has one) keeps the
    // height of the jump drawn before it, or the element's own row top.
    int lastY = row.top;
    for (int slot = 0; slot < JUMP_SLOT_COUNT; ++slot) {
        if (!plan.jump[slot])
            continue;
        JumpRoute& j = routes.jumps[slot];
        j.present = true;
        j.rightSide = slot >= SLOT_RIGHT_BACK;
        j.start = j.rightSide ? a.right : a.left;
        if (!j.rightSide)
            j.busX = a.left.x - arrow;
        else if (code == CMD_NEXT)
            j.busX = a.right.x + m.sideInset - 1;  // one pixel inside the element area
        else
            j.busX = a.right.x + arrow;
        // Rows past the strip are all out of sight; stopping there keeps the
        // coordinates small whatever number a file holds.
        const int t = plan.target[slot];
        if (t >= 0)
            lastY = std::min(t, CHART_MAX_ELEMENTS + 1) * m.rowHeight;
        j.arrivalY = lastY;
    }

    const RECT below{a.bottom.x + 1, row.bottom - 2 * m.smallFontWidth, a.bottom.x + 3 * m.smallFontWidth, row.bottom};
    const RECT left{a.left.x - arrow, row.top + 1, a.left.x - 1, a.left.y - 1};
    const RECT right{a.right.x + 1, row.top + 1, a.right.x + arrow, a.right.y - 1};
    if (plan.yes == LabelPlace::Below)
        routes.yesBox = below;
    else if (plan.yes == LabelPlace::Left)
        routes.yesBox = left;
    if (plan.no == LabelPlace::Below)
        routes.noBox = below;
    else if (plan.no == LabelPlace::Right)
        routes.noBox = right;
    return routes;
}
