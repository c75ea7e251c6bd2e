// The flowchart leaving the editor: exported as SVG or PNG, copied to the
// clipboard as a picture, printed. Each works on the checked program rows
// laid out for the width of the view on screen; failures are shown to the
// user with the stop icon and leave nothing half-written.
#pragma once
#include "model/program_row.h"
#include <windows.h>
#include <string>

struct ChartSource {
    const ProgramRow* rows;
    int count;
    int width;              // the flowchart view's client width
    std::wstring fileName;  // the program's file name, empty for one never saved
};

// The kinds of file Export writes, in the order of the save dialog's filter.
enum class ChartFileKind { Svg, SvgWithoutNumbers, Png1x, Png2x, Png3x };
// The kind for the dialog's 1-based filter index; SVG for anything unknown.
ChartFileKind ChartFileKindOfFilter(int filter);

// The file's bytes, empty when the picture could not be made.
std::string ChartFileBytes(const ChartSource& source, ChartFileKind kind);

// Asks for a file in the save dialog and writes the picture there. True when
// a file was written.
bool ExportChart(HWND owner, const ChartSource& source);

// Puts the whole picture on the clipboard as a bitmap (CF_DIB, and the
// CF_BITMAP the system makes of it) and as an enhanced metafile.
bool CopyChartPicture(HWND owner, const ChartSource& source);
