// The elements a flowchart shows for a program.
#pragma once
#include "chart/chart_metrics.h"
#include "model/program_row.h"

// A START element followed by the rows (a leading START row takes its place),
// 51 elements at most. Returns the element count; 0 for missing rows or a
// negative count, and `elements` is left as it was then.
int BuildChartElements(const ProgramRow* rows, int count, ProgramRow (&elements)[CHART_MAX_ELEMENTS]);
