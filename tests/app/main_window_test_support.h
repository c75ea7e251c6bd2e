// Shared pieces of the main-window tests: the application object prepared
// for one window, the grid's end-of-edit report as the grid posts it, the
// worked example program and geometry helpers.
#pragma once
#include "tests/app/app_test_files.h"
#include "tests/app/main_window_harness.h"
#include "tests/support/test_support.h"
#include <gtest/gtest.h>
#include <string>

namespace mw_test {

// A fresh folder as the executable's folder (no settings file, so English
// then Chinese, English current) and the default window size. Message boxes
// are recorded, never shown.
class MainWindowTest : public testing::Test {
protected:
    MainWindowTest();
    void SetUp() override;

    app_test::ScratchFolder folder;
    testing_support::MessageBoxRecorder boxes;
};

// A harness whose window may grow beyond the test display and shrink below
// its minimum size, for layouts at exact client widths.
class LargeWindow : public MainWindowHarness {
protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

// What the grid does when a drop-down closes: the chosen text goes into the
// cell, then WM_GRID_COMBOEND is posted; the report is then handled.
void Choose(MainWindowHarness& window, int row, int column, const std::wstring& text, bool changed = true);

// The worked example: FOR ∞; IF IN1 ≧ 100 THEN 3 ELSE 5; OUT1 0.5; GOTO 6;
// OUT2 2; NEXT; END; an empty row. Shown as a loaded program is, checked.
void ShowExample(MainWindowHarness& window);

// A control's rectangle in the dialog's client coordinates.
RECT ControlRect(HWND dialog, HWND control);
RECT ControlRect(HWND dialog, int id);
// Resizes the window so that its client area is width x height, and pumps.
void SetClientSize(MainWindowHarness& window, int width, int height);
std::wstring TextOf(HWND hwnd);
std::wstring StatusText(HWND dialog);

}  // namespace mw_test
