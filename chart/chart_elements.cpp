#include "chart/chart_elements.h"
#include "model/vocabulary.h"
#include <cstring>

int BuildChartElements(const ProgramRow* rows, int count, ProgramRow (&elements)[CHART_MAX_ELEMENTS]) {
    if (!rows || count < 0)
        return 0;
    std::memset(elements, 0, sizeof elements);
    int n = 0;
    if (count == 0 || rows[0].code != CMD_START) {
        ProgramRow& start = elements[0];
        start.code = CMD_START;
        start.reachable = 1;
        SetRowText(start.name, L"START");
        n = 1;
    }
    for (int i = 0; i < count && n < CHART_MAX_ELEMENTS; ++i)
        elements[n++] = rows[i];
    return n;
}
