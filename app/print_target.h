// Where printed pages go: the printer chosen in the platform's print dialog,
// behind one seam so that tests can print into metafile pages instead.
#pragma once
#include <windows.h>
#include <functional>
#include <memory>
#include <string>

class CPrintTarget {
public:
    virtual ~CPrintTarget() = default;
    // The page in device pixels and the pixels per inch across and down.
    virtual SIZE PageSize() const = 0;
    virtual SIZE PixelsPerInch() const = 0;
    virtual bool StartDocument(const std::wstring& name) = 0;
    virtual bool StartPage() = 0;
    // The DC of the page started last.
    virtual HDC PageDc() const = 0;
    virtual bool EndPage() = 0;
    virtual bool EndDocument() = 0;
    // Drops a document that could not be finished.
    virtual void AbortDocument() = 0;
};

using PrintDialogHook = std::function<std::unique_ptr<CPrintTarget>(HWND owner)>;

// Shows the print dialog modally; the chosen printer, or null when the user
// cancels or no printer can be reached.
std::unique_ptr<CPrintTarget> ShowPrintDialog(HWND owner);
// Replaces the dialog; an empty hook restores it.
void SetPrintDialogHook(PrintDialogHook hook);
