#include "framework/palette.h"
#include "app/main_window.h"
#include "app/language_pack.h"
#include "app/velmora_app.h"
#include "chart/chart_messages.h"
#include "chart/chart_metrics.h"
#include "files/working_copy.h"
#include "grid/grid_columns.h"
#include "grid/grid_messages.h"
#include "model/checker.h"
#include "res/resource.h"
#include "app/button_looks.h"
#include <algorithm>
#include <array>

int g_gridFontSize = 7;

namespace {

constexpr int kMinWindowWidth = 880;
constexpr int kMinWindowHeight = 600;
// Column 0 keeps its width; the others share what is left in proportion to
// their design widths (385 in all).
constexpr int kNumberColumnWidth = 48;
constexpr int kColumnSlack = 9;
constexpr int kDesignWidthSum = 385;
static_assert(kNumberColumnWidth == GRID_COLUMNS[0].width);

// The controls ApplyLanguage names, in the order of the captions C1..C6.
constexpr std::array<int, PACK_CAPTION_COUNT> kCaptionControls{IDC_OPEN,       IDC_SAVE, IDC_CLEAR,
                                                               IDC_LANG_LABEL, IDC_SEND, IDOK};

// The grid's font for a character width of `size` pixels.
CFont MakeGridFont(int size) {
    return CFont(::CreateFontW(2 * size, size, 0, 0, 550, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_TT_PRECIS,
                               CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, L"宋体"));
}

// Font size class of a grid client width: steps at 400, 600 and 800 pixels.
int GridFontSizeFor(int clientWidth) {
    if (clientWidth < 400)
        return 7;
    if (clientWidth < 600)
        return 8;
    if (clientWidth < 800)
        return 9;
    return 10;
}

// A child's rectangle in its parent's client coordinates.
RECT ChildRect(HWND parent, HWND child) {
    RECT rc{};
    ::GetWindowRect(child, &rc);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

int Width(const RECT& rc) { return rc.right - rc.left; }
int Height(const RECT& rc) { return rc.bottom - rc.top; }

void Place(HWND child, int x, int y, int width, int height) {
    ::SetWindowPos(child, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

// clang-format off
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
    Command<&ThisClass::OnRunCommand>(IDC_RUN_SIMULATOR),
    CommandRange<&ThisClass::OnZoom>(IDC_ZOOM_1X, IDC_ZOOM_3X),
    CommandRange<&ThisClass::OnInsertMenu>(ID_INSERT_BLANK, ID_INSERT_END),
    CommandRange<&ThisClass::OnInsertButton>(IDC_CMD_INSERT, IDC_CMD_END),
    Command<&ThisClass::OnDeleteCommand>(ID_ROW_DELETE),
    Command<&ThisClass::OnDeleteCommand>(IDC_CMD_DELETE),
    Command<&ThisClass::OnClearCommand>(IDC_CLEAR),
    Command<&ThisClass::OnCutCommand>(ID_EDIT_CUT),
    Command<&ThisClass::OnCopyCommand>(ID_EDIT_COPY),
    Command<&ThisClass::OnPasteCommand>(ID_EDIT_PASTE),
    Command<&ThisClass::OnChartExport>(ID_CHART_EXPORT),
    Command<&ThisClass::OnChartCopyPicture>(ID_CHART_COPY_PICTURE),
    Command<&ThisClass::OnChartPrint>(ID_CHART_PRINT),
    Command<&ThisClass::OnUndoCommand>(ID_EDIT_UNDO),
    Command<&ThisClass::OnRedoCommand>(ID_EDIT_REDO),
    Command<&ThisClass::OnLanguageChange>(IDC_LANG_COMBO, CBN_SELCHANGE),
    Activate<&ThisClass::OnActivate>(),
    Message<&ThisClass::OnQueryEndSession>(WM_QUERYENDSESSION),
    Message<&ThisClass::OnEndSession>(WM_ENDSESSION),
END_MESSAGE_MAP()
// clang-format on

CVelmoraDlg::CVelmoraDlg(HWND parent)
    : CDialog(IDD_VELMORA_DIALOG, parent),
      m_gridFont(MakeGridFont(7)),
      m_bkBrush(::CreateSolidBrush(PALETTE_WINDOW_BACKGROUND)),
      m_hIcon(::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME))) {
    g_gridFontSize = 7;
}

void CVelmoraDlg::OnInsertButton(UINT id) { InsertCommand(static_cast<int>(id - IDC_CMD_INSERT)); }
void CVelmoraDlg::OnInsertMenu(UINT id) { InsertCommand(static_cast<int>(id - ID_INSERT_BLANK)); }
void CVelmoraDlg::OnDeleteCommand() { DeleteCommand(); }
void CVelmoraDlg::OnClearCommand() { ClearProgram(); }
void CVelmoraDlg::OnCutCommand() { CutRow(); }
void CVelmoraDlg::OnCopyCommand() { CopyRow(); }
void CVelmoraDlg::OnPasteCommand() { PasteRow(); }
void CVelmoraDlg::OnUndoCommand() { UndoChange(); }
void CVelmoraDlg::OnRedoCommand() { RedoChange(); }
void CVelmoraDlg::OnOpenCommand() {
    m_grid.EndEditing();
    OpenCommand();
}
void CVelmoraDlg::OnSaveCommand() { SaveCommand(); }
void CVelmoraDlg::OnSendCommand() { SendProgram(); }
void CVelmoraDlg::OnRunCommand() { OpenSimulator(); }
void CVelmoraDlg::OnTimer(UINT_PTR id) { PollDevice(id); }
void CVelmoraDlg::OnContextMenu(HWND hwnd, POINT screen) {
    // From the keyboard the point is (-1, -1): the flowchart's menu opens at its corner.
    if (hwnd == m_chart.m_hWnd && screen.x == -1 && screen.y == -1) {
        RECT view{};
        ::GetWindowRect(m_chart.m_hWnd, &view);
        screen = {view.left + 1, view.top + 1};
    }
    if (!ShowChartMenu(screen.x, screen.y))
        ShowContextMenu(screen.x, screen.y);
}
void CVelmoraDlg::OnOK() { CloseMainWindow(); }
void CVelmoraDlg::OnCancel() { CloseMainWindow(); }

void CVelmoraDlg::DoDataExchange(CDataExchange& dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_GRID, m_grid);
    DDX_Control(dx, IDC_DEVICE_ICON, m_deviceIcon);
    DDX_Control(dx, IDC_PROGRESS, m_progress);
    DDX_Control(dx, IDC_OPEN, m_btnOpen);
    DDX_Control(dx, IDC_SAVE, m_btnSave);
    DDX_Control(dx, IDC_CLEAR, m_btnClear);
    DDX_Control(dx, IDC_SEND, m_btnSend);
    DDX_Control(dx, IDOK, m_btnExit);
    DDX_Control(dx, IDC_LANG_COMBO, m_langCombo);
    for (int i = 0; i < COMMAND_BUTTON_COUNT; ++i)
        DDX_Control(dx, IDC_CMD_INSERT + i, m_cmdButtons[i]);
    DDX_Radio(dx, IDC_ZOOM_1X, m_zoomIndex);
}

BOOL CVelmoraDlg::OnInitDialog() {
    InitMainWindow();
    return TRUE;
}

bool CVelmoraDlg::InitMainWindow() {
    CDialog::OnInitDialog();
    m_statusLine = GetDlgItem(IDC_STATUS);

    if (HMENU systemMenu = ::GetSystemMenu(m_hWnd, FALSE)) {
        const wchar_t* text = nullptr;
        const int length = ::LoadStringW(::GetModuleHandleW(nullptr), IDS_ABOUTBOX, reinterpret_cast<LPWSTR>(&text), 0);
        if (length > 0) {
            const std::wstring about(text, static_cast<size_t>(length));
            ::AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
            ::AppendMenuW(systemMenu, MF_STRING, IDM_ABOUTBOX, about.c_str());
        }
    }

    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

    CShadeButtonST* const shaded[] = {&m_btnOpen, &m_btnSave, &m_btnClear, &m_btnExit, &m_btnSend};
    for (const ShadedButtonLook& look : kShadedButtonLooks) {
        for (CShadeButtonST* button : shaded) {
            if (button->m_hWnd && static_cast<UINT>(button->GetDlgCtrlID()) == look.controlId) {
                ConfigureShadedButton(*button, look);
                button->Invalidate();
            }
        }
    }
    for (CButtonST& button : m_cmdButtons)
        ConfigureCommandButton(button);
    CreateRunButton();

    for (int i = 0; i < g_velmoraApp.m_packCount; ++i)
        m_langCombo.AddString(std::wstring(PackText(g_velmoraApp.m_packs[i].name, PACK_NAME_SIZE)));
    m_langCombo.SetCurSel(g_velmoraApp.m_curPack);

    LayoutControls();
    m_workingCopyPath = WorkingCopyPath(g_velmoraApp.m_exeFolder);

    const RECT grid = ChildRect(m_hWnd, m_grid);
    const RECT chart{grid.right + 4, grid.top, GetClientRect().right - 8, grid.bottom};
    if (!m_chart.Create(nullptr, L"", WS_CHILD | WS_VISIBLE, chart, m_hWnd, IDC_CHART))
        return false;

    SetUpGrid();
    m_zoomIndex = g_zoomLevel;
    m_progress.SetRange(1, 100);
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    m_bmpNoDevice.Reset(::LoadBitmapW(instance, MAKEINTRESOURCEW(IDB_NO_DEVICE)));
    m_bmpDevice.Reset(::LoadBitmapW(instance, MAKEINTRESOURCEW(IDB_DEVICE)));
    m_connected = 0;
    // Without a working copy the blank program still gets its flowchart
    // (the START element), as after any edit.
    if (!LoadWorkingCopy()) {
        // One that is there but cannot be read (locked, no permission) still
        // holds the last program: the blank one must never replace it.
        m_workingCopyUnreadable = FileIsPresent(m_workingCopyPath);
        RecheckAndRedraw();
        StartHistory();
    }
    ApplyLanguage();
    UpdateData(false);
    ::SetTimer(m_hWnd, TIMER_POLL, TIMER_POLL_MS, nullptr);

    RECT desktop{};
    ::GetWindowRect(::GetDesktopWindow(), &desktop);
    const int width = g_velmoraApp.m_winWidth;
    const int height = g_velmoraApp.m_winHeight;
    const int x = std::max(0, (Width(desktop) - width) / 2);
    const int y = std::max(0, (Height(desktop) - height) / 2);
    ::MoveWindow(m_hWnd, x, y, width, height, TRUE);

    FitGridColumns();
    OpenSimulatorIfAsked();
    return true;
}

void CVelmoraDlg::LayoutControls() {
    const HWND logo = GetDlgItem(IDC_LOGO);
    if (!logo)
        return;
    const RECT client = GetClientRect();
    const int cw = client.right;
    const int ch = client.bottom;
    auto rectOf = [this](HWND child) { return ChildRect(m_hWnd, child); };

    const RECT logoRect = rectOf(logo);
    const HWND band = GetDlgItem(IDC_TOP_BAND);
    if (band)
        Place(band, 0, 0, cw, Height(logoRect) + 4);
    Place(logo, 2, 2, Width(logoRect), Height(logoRect));

    int deviceLeft = cw - 2;
    if (const HWND device = GetDlgItem(IDC_DEVICE_ICON)) {
        const int width = Width(rectOf(device));
        deviceLeft = cw - 2 - width;
        Place(device, deviceLeft, 2, width, Height(logoRect));
    }
    if (const HWND label = GetDlgItem(IDC_LANG_LABEL)) {
        const RECT rc = rectOf(label);
        const int labelLeft = deviceLeft - 10 - Width(rc);
        Place(label, labelLeft, rc.top, Width(rc), Height(rc));
        if (const HWND combo = GetDlgItem(IDC_LANG_COMBO)) {
            // A drop-down list's height is that of its opened list; the
            // window rectangle has only the closed face.
            RECT dropped{};
            ::SendMessageW(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
            const RECT face = rectOf(combo);
            Place(combo, labelLeft, face.top, Width(rc), std::max(Height(dropped), Height(face)));
        }
    }

    int statusTop = ch;
    if (const HWND status = GetDlgItem(IDC_STATUS)) {
        const int height = Height(rectOf(status));
        statusTop = ch - height + 1;
        Place(status, -1, statusTop, cw + 2, height);
        if (const HWND progress = GetDlgItem(IDC_PROGRESS))
            Place(progress, -1, statusTop, cw + 2, height);
    }
    if (const HWND send = GetDlgItem(IDC_SEND)) {
        const RECT rc = rectOf(send);
        Place(send, cw - 8 - Width(rc), statusTop - 6 - Height(rc), Width(rc), Height(rc));
    }

    int buttonsLeft = 0;
    int buttonsRight = 0;
    int buttonsTop = statusTop;
    for (int id = IDC_CMD_INSERT; id <= IDC_CMD_DELETE; ++id) {
        const HWND button = GetDlgItem(id);
        if (!button)
            continue;
        const RECT rc = rectOf(button);
        buttonsTop = statusTop - 6 - Height(rc);
        Place(button, rc.left, buttonsTop, Width(rc), Height(rc));
        if (id == IDC_CMD_INSERT)
            buttonsLeft = rc.left;
        if (id == IDC_CMD_DELETE)
            buttonsRight = rc.right;
    }

    if (m_grid.m_hWnd) {
        RECT grid = rectOf(m_grid);
        grid.right = std::max<LONG>(cw / 2 - 8, grid.left + std::max(0, buttonsRight - buttonsLeft));
        grid.bottom = buttonsTop - 6;
        Place(m_grid, grid.left, grid.top, Width(grid), Height(grid));
        if (m_chart.m_hWnd)
            Place(m_chart, grid.right + 8, grid.top, std::max(0, cw - 8 - static_cast<int>(grid.right + 8)),
                  Height(grid));
        if (const HWND label = GetDlgItem(IDC_CHART_LABEL)) {
            const RECT rc = rectOf(label);
            Place(label, grid.right + 8, rc.top, Width(rc), Height(rc));
        }
    }

    PlaceRunButton();
    if (m_btnSend.m_hWnd)
        m_btnSend.Invalidate(TRUE);
    if (m_btnExit.m_hWnd)
        m_btnExit.Invalidate(TRUE);
    if (band) {
        const RECT rc = rectOf(band);
        ::InvalidateRect(m_hWnd, &rc, FALSE);
    }
}

void CVelmoraDlg::FitGridColumns() {
    if (!m_grid.m_hWnd)
        return;
    const HWND header = m_grid.GetHeaderCtrl();
    if (!header)
        return;
    const int clientWidth = m_grid.GetClientRect().right;
    const int scrollBar = (m_grid.GetStyle() & WS_VSCROLL) ? ::GetSystemMetrics(SM_CXVSCROLL) : 0;
    const int avail = clientWidth - scrollBar - kNumberColumnWidth - kColumnSlack;
    const double scale = static_cast<double>(avail) / kDesignWidthSum;
    const int columns = std::min(GRID_COLUMN_COUNT, static_cast<int>(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)));
    for (int i = 0; i < columns; ++i) {
        int width = LVSCW_AUTOSIZE_USEHEADER;
        if (clientWidth - scrollBar > 0) {
            // A grid narrower than column 0 and the slack gives empty columns, not negative ones.
            width = i == 0 ? kNumberColumnWidth : std::max(0, static_cast<int>(GRID_COLUMNS[i].width * scale + 0.5));
        }
        if (width == LVSCW_AUTOSIZE_USEHEADER || m_grid.GetColumnWidth(i) != width)
            m_grid.SetColumnWidth(i, width);
    }

    const int size = GridFontSizeFor(clientWidth);
    if (size == g_gridFontSize)
        return;
    CFont font = MakeGridFont(size);
    m_grid.m_nRowHeight = 2 * size + 8;
    m_grid.RemeasureRows();
    m_grid.SetFont(font, TRUE);
    m_gridFont = std::move(font);  // the old font goes once the grid no longer uses it
    g_gridFontSize = size;
}

void CVelmoraDlg::OnSize(UINT type, int, int) {
    Default();
    if (type == SIZE_MINIMIZED)
        return;
    {
        // Children moved while the window is drawn each recompute what shows
        // through; moved while it is not, they are placed and drawn once.
        SetRedraw(FALSE);
        m_grid.SetRedraw(FALSE);  // nor does the grid lay itself out again for every column
        LayoutControls();
        const RECT outer = GetWindowRect();
        g_velmoraApp.m_winWidth = Width(outer);
        g_velmoraApp.m_winHeight = Height(outer);
        FitGridColumns();
        m_grid.SetRedraw(TRUE);
        SetRedraw(TRUE);
    }
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CVelmoraDlg::OnGetMinMaxInfo(MINMAXINFO* info) {
    info->ptMinTrackSize = POINT{kMinWindowWidth, kMinWindowHeight};
    Default();
}

HBRUSH CVelmoraDlg::OnCtlColor(HDC dc, HWND, UINT type) {
    if (type != CTLCOLOR_DLG && type != CTLCOLOR_STATIC)
        return reinterpret_cast<HBRUSH>(Default());
    ::SetTextColor(dc, PALETTE_BLACK);
    ::SetBkColor(dc, PALETTE_WINDOW_BACKGROUND);
    return m_bkBrush;
}

void CVelmoraDlg::OnPaint() {
    CPaintDC dc(m_hWnd);  // erases with the dialog's brush and validates
    if (!::IsIconic(m_hWnd))
        return;
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(static_cast<HDC>(dc)));
    const RECT client = GetClientRect();
    const int x = (client.right - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(dc, x, y, m_hIcon);
}

HCURSOR CVelmoraDlg::OnQueryDragIcon() { return static_cast<HCURSOR>(m_hIcon); }

void CVelmoraDlg::OnSysCommand(UINT id, LPARAM) {
    if ((id & 0xFFF0) != IDM_ABOUTBOX) {
        Default();
        return;
    }
    CDialog about(IDD_ABOUTBOX, m_hWnd);
    about.DoModal();
}

bool CVelmoraDlg::FilterKeyMessage(MSG* msg) {
    if ((msg->message != WM_KEYDOWN && msg->message != WM_CHAR) || !msg->hwnd)
        return false;
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_F5) {
        OpenSimulator();
        return true;
    }
    if (HandleHistoryKey(*msg))
        return true;
    if (msg->message == WM_KEYDOWN && (msg->wParam == 'E' || msg->wParam == 'P') && ::GetKeyState(VK_CONTROL) < 0 &&
        (msg->hwnd == m_hWnd || ::IsChild(m_hWnd, msg->hwnd))) {
        // Ctrl+E and Ctrl+P work from anywhere in the window.
        ::PostMessageW(m_hWnd, WM_COMMAND, msg->wParam == 'E' ? ID_CHART_EXPORT : ID_CHART_PRINT, 0);
        return true;
    }
    const bool toGrid = m_grid.m_hWnd && msg->hwnd == m_grid.m_hWnd;
    if (toGrid && msg->message == WM_KEYDOWN) {
        const bool control = ::GetKeyState(VK_CONTROL) < 0;
        switch (msg->wParam) {
        case VK_DELETE: DeleteCommand(); return false;
        case 'C':
            if (control) {
                CopyRow();
                return false;
            }
            break;
        case 'V':
            if (control) {
                PasteRow();
                return false;
            }
            break;
        case 'X':
            if (control) {
                CutRow();
                return false;
            }
            break;
        default: break;
        }
    }
    if (toGrid || (m_chart.m_hWnd && msg->hwnd == m_chart.m_hWnd)) {
        // Tab, arrows and Enter belong to these two windows, not to dialog navigation.
        ::TranslateMessage(msg);
        ::DispatchMessageW(msg);
        return true;
    }
    return false;
}

BOOL CVelmoraDlg::PreTranslateMessage(MSG* msg) {
    if (FilterKeyMessage(msg))
        return TRUE;
    return CDialog::PreTranslateMessage(msg);
}

void CVelmoraDlg::ShowRowStatus(int row) {
    if (row < 0 || row >= m_grid.GetItemCount())
        row = m_grid.GetSelectedRow();
    std::wstring text;
    if (row >= 0 && row < m_rowCount) {
        const LanguagePack& pack = g_velmoraApp.CurrentPack();
        const wchar_t* texts[ERROR_BIT_COUNT];
        for (int i = 0; i < ERROR_BIT_COUNT; ++i)
            texts[i] = pack.errorTexts[i];
        text = FormatErrorList(m_rows[row].errorFlags, texts);
    }
    // Every selection change comes here, each row of a run too: an unchanged
    // line is not set again (and repainted).
    SetTextIfChanged(m_statusLine, text);
}

void CVelmoraDlg::OnGridItemChanged(NMHDR* hdr, LRESULT* result) {
    *result = 0;
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(hdr);
    if (!(change->uChanged & LVIF_STATE) || !(change->uNewState & LVIS_SELECTED) || change->iItem < 0)
        return;
    const int row = change->iItem;
    if (m_chart.m_nSelected == row + 1)
        return;
    m_chart.SelectElement(row + 1);
    ShowRowStatus(row);
}

LRESULT CVelmoraDlg::OnChartSelChange(WPARAM wParam, LPARAM) {
    const int row = static_cast<int>(wParam) - 1;
    m_grid.SelectRow(row);
    if (row >= 0 && row < m_grid.GetItemCount())
        m_grid.EnsureVisible(row, TRUE);
    ShowRowStatus(row);
    return 1;
}

LRESULT CVelmoraDlg::OnGridDblClk(WPARAM wParam, LPARAM) {
    const int row = static_cast<int>(wParam);
    if (row >= 0 && row < m_grid.GetItemCount()) {
        m_grid.SelectRow(row);
        m_grid.Invalidate();
    }
    ShowRowStatus(m_grid.GetSelectedRow());
    return 1;
}

void CVelmoraDlg::OnZoom(UINT) {
    UpdateData(true);
    if (m_chart.m_hWnd)
        m_chart.SetZoomLevel(m_zoomIndex, true);
}

void CVelmoraDlg::ApplyLanguage() {
    const LanguagePack& pack = g_velmoraApp.CurrentPack();
    for (int i = 0; i < PACK_CAPTION_COUNT; ++i) {
        if (const HWND control = GetDlgItem(kCaptionControls[static_cast<size_t>(i)]))
            ::SetWindowTextW(control, std::wstring(PackText(pack.captions[i], PACK_SHORT_TEXT_SIZE)).c_str());
    }
    if (m_btnRun.m_hWnd)
        m_btnRun.SetWindowText(g_velmoraApp.Text(XT_SIM_OPEN));
    m_simulator.ApplyLanguage();
}

void CVelmoraDlg::OnLanguageChange() {
    const int index = m_langCombo.GetCurSel();
    if (index < 0)
        return;
    g_velmoraApp.m_curPack = index;
    ApplyLanguage();
}

void CVelmoraDlg::CloseMainWindow() {
    if (!CloseProgram())
        return;
    if (m_simulator.m_hWnd)
        m_simulator.DestroyWindow();
    EndDialog(IDOK);
}

// Child windows never see WM_ACTIVATE: the buttons learn of the deactivation
// from here, so that no hover look stays on while another window is in front.
void CVelmoraDlg::OnActivate(UINT state, HWND other, BOOL minimized) {
    Default();
    if (state != WA_INACTIVE)
        return;
    const WPARAM wParam = MAKEWPARAM(WA_INACTIVE, minimized ? 1 : 0);
    const LPARAM lParam = reinterpret_cast<LPARAM>(other);
    CButtonST* const shaded[] = {&m_btnOpen, &m_btnSave, &m_btnClear, &m_btnSend, &m_btnExit};
    for (CButtonST* button : shaded)
        if (button->m_hWnd)
            button->SendMessage(WM_ACTIVATE, wParam, lParam);
    for (CButtonST& button : m_cmdButtons)
        if (button.m_hWnd)
            button.SendMessage(WM_ACTIVATE, wParam, lParam);
}

// The session ends without a question: whatever was not saved stays in the
// working copy, as at a normal close.
LRESULT CVelmoraDlg::OnQueryEndSession(WPARAM, LPARAM) { return TRUE; }

LRESULT CVelmoraDlg::OnEndSession(WPARAM ending, LPARAM) {
    if (!ending)
        return 0;
    m_grid.EndEditing();
    SaveWorkingCopy();
    g_velmoraApp.WriteSettings();
    g_velmoraApp.SaveLanguagePacks();
    return 0;
}
