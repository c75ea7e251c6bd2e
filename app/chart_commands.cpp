// The flowchart's menu and keys: Export…, Copy picture and Print….
#include "app/chart_print.h"
#include "app/context_menu.h"
#include "app/extra_texts.h"
#include "app/main_window.h"
#include "app/velmora_app.h"
#include "framework/handles.h"
#include "res/resource.h"

ChartSource CVelmoraDlg::CurrentChart() const {
    const int width = m_chart.m_hWnd ? static_cast<int>(m_chart.GetClientRect().right) : 0;
    // A path still holding the dialog's pattern ("*.STXT") names no file.
    const bool named = !m_lastPath.empty() && m_lastPath.find(L'*') == std::wstring::npos;
    return {m_rows, m_rowCount, width, named ? m_lastPath : std::wstring()};
}

bool CVelmoraDlg::ShowChartMenu(int x, int y) {
    RECT view;
    if (!m_chart.m_hWnd || !::GetWindowRect(m_chart.m_hWnd, &view) || !::PtInRect(&view, POINT{x, y}))
        return false;
    CMenuHandle menu(::CreatePopupMenu());
    if (!menu)
        return true;
    ::AppendMenuW(menu, MF_STRING, ID_CHART_EXPORT, g_velmoraApp.Text(XT_CHART_EXPORT).c_str());
    ::AppendMenuW(menu, MF_STRING, ID_CHART_COPY_PICTURE, g_velmoraApp.Text(XT_CHART_COPY_PICTURE).c_str());
    ::AppendMenuW(menu, MF_STRING, ID_CHART_PRINT, g_velmoraApp.Text(XT_CHART_PRINT).c_str());
    COwnerDrawnMenu look(menu);
    ::TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, x, y, 0, m_hWnd, nullptr);
    return true;
}

void CVelmoraDlg::OnChartExport() { ExportChart(m_hWnd, CurrentChart()); }
void CVelmoraDlg::OnChartCopyPicture() { CopyChartPicture(m_hWnd, CurrentChart()); }
void CVelmoraDlg::OnChartPrint() { PrintChart(m_hWnd, CurrentChart()); }
