// Which connectors an element has (the plan) and where they run (the routes).
#pragma once
#include "chart/layout_types.h"
#include "chart/chart_metrics.h"
#include "model/program_row.h"

// Jump slots, drawn in this order.
enum JumpSlot : int {
    SLOT_LEFT_BACK = 0,      // target <= n, on the left bus
    SLOT_LEFT_FORWARD = 1,   // target > n, on the left bus
    SLOT_RIGHT_BACK = 2,     // target <= n, on the right bus
    SLOT_RIGHT_FORWARD = 3,  // target > n, on the right bus
    JUMP_SLOT_COUNT = 4,
};

enum class LabelPlace { None, Below, Left, Right };

struct ConnectorPlan {
    bool entryStub = false;
    bool exitStub = false;
    bool throughLine = false;  // an empty row's line from the top to the bottom anchor
    bool jump[JUMP_SLOT_COUNT] = {};
    int target[JUMP_SLOT_COUNT] = {};   // element index the jump arrives at
    LabelPlace yes = LabelPlace::None;  // IF: "Y", the target when the condition holds
    LabelPlace no = LabelPlace::None;   // IF: "N", the other target
};

// The plan of element n among `count` elements; nothing at all with fewer
// than two elements or for an index outside them.
ConnectorPlan PlanConnectors(const ProgramRow* elements, int count, int n);

struct JumpRoute {
    bool present = false;
    bool rightSide = false;
    POINT start{};     // the anchor the first leg leaves from
    int busX = 0;      // the vertical leg
    int arrivalY = 0;  // the last leg runs along this y back to the flow line
};

struct ConnectorRoutes {
    JumpRoute jumps[JUMP_SLOT_COUNT];
    POINT entryFrom{}, entryTo{};  // top anchor up to the row top
    POINT exitFrom{}, exitTo{};    // bottom anchor down to one pixel into the next band
    int flowX = 0;                 // x of the flow line, where jumps arrive
    RECT yesBox{}, noBox{};        // label boxes; empty when the label is not drawn
};

ConnectorRoutes RouteConnectors(const ChartMetrics& m, int n, int code, const ConnectorPlan& plan);
