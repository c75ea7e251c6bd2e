// TEMPORARY while the main window is assembled: empty definitions of the
// operations not written yet, so that the program links. Each owner deletes
// its section when its own file defines the functions; this file is removed
// when it is empty.
#include "app/main_window.h"

// --- main_window.cpp (main window) ---
bool CVelmoraDlg::InitMainWindow() { return true; }
void CVelmoraDlg::LayoutControls() {}
void CVelmoraDlg::FitGridColumns() {}
bool CVelmoraDlg::FilterKeyMessage(MSG*) { return false; }
void CVelmoraDlg::ShowRowStatus(int) {}
void CVelmoraDlg::ApplyLanguage() {}
BOOL CVelmoraDlg::PreTranslateMessage(MSG* msg) { return CDialog::PreTranslateMessage(msg); }
void CVelmoraDlg::DoDataExchange(CDataExchange&) {}
BOOL CVelmoraDlg::OnInitDialog() { CDialog::OnInitDialog(); return TRUE; }
void CVelmoraDlg::OnSysCommand(UINT, LPARAM) { Default(); }
void CVelmoraDlg::OnPaint() { Default(); }
HCURSOR CVelmoraDlg::OnQueryDragIcon() { return nullptr; }
void CVelmoraDlg::OnSize(UINT, int, int) { Default(); }
void CVelmoraDlg::OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
HBRUSH CVelmoraDlg::OnCtlColor(HDC, HWND, UINT) { return reinterpret_cast<HBRUSH>(Default()); }
LRESULT CVelmoraDlg::OnGridDblClk(WPARAM, LPARAM) { return 1; }
LRESULT CVelmoraDlg::OnChartSelChange(WPARAM, LPARAM) { return 1; }
void CVelmoraDlg::OnGridItemChanged(NMHDR*, LRESULT*) {}
void CVelmoraDlg::OnZoom(UINT) {}
void CVelmoraDlg::OnLanguageChange() {}
void CVelmoraDlg::CloseMainWindow() { EndDialog(IDOK); }

// --- grid_rows.cpp (grid and program rows) ---
void CVelmoraDlg::SetUpGrid() {}
bool CVelmoraDlg::InsertProgramRow(int, const ProgramRow*, bool) { return false; }
bool CVelmoraDlg::DeleteProgramRow(int) { return false; }
void CVelmoraDlg::FillGridRow(int, const ProgramRow*, bool) {}
void CVelmoraDlg::ResetGridRow(int, bool) {}
bool CVelmoraDlg::RenumberRows(bool) { return false; }
int CVelmoraDlg::GridToRows() { return 0; }
void CVelmoraDlg::RowsToGrid() {}
void CVelmoraDlg::MarkErrorRows(bool) {}
void CVelmoraDlg::RecheckAndRedraw() {}
LRESULT CVelmoraDlg::OnGridComboEnd(WPARAM, LPARAM) { return 1; }
void CVelmoraDlg::BuildRowForCommand(int, const std::wstring&) {}
void CVelmoraDlg::ApplyIfInput(int, int) {}
