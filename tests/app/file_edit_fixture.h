// Common ground of the file and editing tests: a fresh executable folder per
// test with the English texts, the real main window, and answers for the
// question box and the file dialogs.
#pragma once
#include "app/file_dialog.h"
#include "tests/app/app_test_files.h"
#include "tests/app/main_window_harness.h"
#include "tests/support/test_support.h"
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

class FileEditTest : public testing::Test {
protected:
    FileEditTest();
    ~FileEditTest() override;

    // Questions are answered from `questionAnswers` in order (IDCANCEL when it
    // runs out) and recorded; file dialogs likewise from `dialogAnswers`
    // (cancelled when it runs out).
    std::vector<int> questionAnswers;
    std::vector<std::wstring> questions;
    std::vector<std::optional<std::wstring>> dialogAnswers;
    std::vector<FileDialogRequest> dialogs;

    app_test::ScratchFolder folder;
    testing_support::MessageBoxRecorder boxes;

    // Runs the window with the body inside its modal loop; fails the test
    // when the body did not run.
    void Run(MainWindowHarness& window, const MainWindowHarness::Body& body);

    // Path of a file in the test's folder.
    std::wstring File(const std::wstring& name) const { return folder / name; }
    // Writes raw bytes, or program text lines with CR LF.
    void WriteBytes(const std::wstring& name, const std::string& bytes) const;
    void WriteLines(const std::wstring& name, const std::vector<std::string>& lines) const;
    // Texts of the stop-icon boxes shown so far.
    std::vector<std::wstring> ErrorTexts() const;
};

// Reading the window's state.
std::wstring Cell(const MainWindowHarness& w, int row, int column);
// Column 1 of every grid row.
std::vector<std::wstring> Names(const MainWindowHarness& w);
// Loads program text lines (CR LF added) into the window through a file.
void LoadLines(MainWindowHarness& w, const std::wstring& path, const std::vector<std::string>& lines);
// A command as the button or menu item with that id sends it.
void Click(MainWindowHarness& w, UINT id);
// Selects a grid row and lets the reports it causes arrive.
void Select(MainWindowHarness& w, int row);
// Whatever the clipboard holds under the row format, as bytes; empty when none.
std::vector<uint8_t> ClipboardRowBytes();
// Puts a block of bytes on the clipboard under a format, as another program would.
void PutOnClipboard(UINT format, const std::vector<uint8_t>& bytes);
UINT RowClipboardFormat();
