#include "app/main_window.h"
#include "chart/chart_messages.h"
#include "grid/grid_messages.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CVelmoraDlg, CDialog)
    SysCommand<&ThisClass::OnSysCommand>(),
    Paint<&ThisClass::OnPaint>(),
    QueryDragIcon<&ThisClass::OnQueryDragIcon>(),
    Size<&ThisClass::OnSize>(),
    GetMinMaxInfo<&ThisClass::OnGetMinMaxInfo>(),
    CtlColor<&ThisClass::OnCtlColor>(),
    Timer<&ThisClass::OnTimer>(),
    Message<&ThisClass::OnGridComboEnd>(WM_GRID_COMBOEND),
    Message<&ThisClass::OnGridDblClk>(WM_GRID_DBLCLK),
    Message<&ThisClass::OnChartSelChange>(WM_CHART_SELCHANGE),
    Notify<&ThisClass::OnGridItemChanged>(LVN_ITEMCHANGED, IDC_GRID),
    ContextMenu<&ThisClass::OnContextMenu>(),
    Message<&ThisClass::OnMeasureItem>(WM_MEASUREITEM),
    Message<&ThisClass::OnDrawItem>(WM_DRAWITEM),
    Command<&ThisClass::OnOpenCommand>(IDC_OPEN),
    Command<&ThisClass::OnSaveCommand>(IDC_SAVE),
    Command<&ThisClass::OnSendCommand>(IDC_SEND),
    CommandRange<&ThisClass::OnZoom>(IDC_ZOOM_1X, IDC_ZOOM_3X),
    CommandRange<&ThisClass::OnInsertMenu>(ID_INSERT_BLANK, ID_INSERT_END),
    CommandRange<&ThisClass::OnInsertButton>(IDC_CMD_INSERT, IDC_CMD_END),
    Command<&ThisClass::OnDeleteCommand>(ID_ROW_DELETE),
    Command<&ThisClass::OnDeleteCommand>(IDC_CMD_DELETE),
    Command<&ThisClass::OnClearCommand>(IDC_CLEAR),
    Command<&ThisClass::OnCutCommand>(ID_EDIT_CUT),
    Command<&ThisClass::OnCopyCommand>(ID_EDIT_COPY),
    Command<&ThisClass::OnPasteCommand>(ID_EDIT_PASTE),
    Command<&ThisClass::OnLanguageChange>(IDC_LANG_COMBO, CBN_SELCHANGE),
END_MESSAGE_MAP()

CVelmoraDlg::CVelmoraDlg(HWND parent) : CDialog(IDD_VELMORA_DIALOG, parent) {}

void CVelmoraDlg::OnInsertButton(UINT id) { InsertCommand(static_cast<int>(id - IDC_CMD_INSERT)); }
void CVelmoraDlg::OnInsertMenu(UINT id) { InsertCommand(static_cast<int>(id - ID_INSERT_BLANK)); }
void CVelmoraDlg::OnDeleteCommand() { DeleteCommand(); }
void CVelmoraDlg::OnClearCommand() { ClearProgram(); }
void CVelmoraDlg::OnCutCommand() { CutRow(); }
void CVelmoraDlg::OnCopyCommand() { CopyRow(); }
void CVelmoraDlg::OnPasteCommand() { PasteRow(); }
void CVelmoraDlg::OnOpenCommand() { OpenCommand(); }
void CVelmoraDlg::OnSaveCommand() { SaveCommand(); }
void CVelmoraDlg::OnSendCommand() { SendProgram(); }
void CVelmoraDlg::OnTimer(UINT_PTR id) { PollDevice(id); }
void CVelmoraDlg::OnContextMenu(HWND, POINT screen) { ShowContextMenu(screen.x, screen.y); }
void CVelmoraDlg::OnOK() { CloseMainWindow(); }
void CVelmoraDlg::OnCancel() { CloseMainWindow(); }
