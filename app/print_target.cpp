#include "app/print_target.h"
#include <commdlg.h>

namespace {

PrintDialogHook& Hook() {
    static PrintDialogHook hook;
    return hook;
}

class CPrinterTarget : public CPrintTarget {
public:
    explicit CPrinterTarget(HDC dc) : m_dc(dc) {}
    ~CPrinterTarget() override { ::DeleteDC(m_dc); }
    CPrinterTarget(const CPrinterTarget&) = delete;
    CPrinterTarget& operator=(const CPrinterTarget&) = delete;

    SIZE PageSize() const override { return {::GetDeviceCaps(m_dc, HORZRES), ::GetDeviceCaps(m_dc, VERTRES)}; }
    SIZE PixelsPerInch() const override {
        return {::GetDeviceCaps(m_dc, LOGPIXELSX), ::GetDeviceCaps(m_dc, LOGPIXELSY)};
    }
    bool StartDocument(const std::wstring& name) override {
        DOCINFOW info{};
        info.cbSize = sizeof info;
        info.lpszDocName = name.c_str();
        return ::StartDocW(m_dc, &info) > 0;
    }
    bool StartPage() override { return ::StartPage(m_dc) > 0; }
    HDC PageDc() const override { return m_dc; }
    bool EndPage() override { return ::EndPage(m_dc) > 0; }
    bool EndDocument() override { return ::EndDoc(m_dc) > 0; }
    void AbortDocument() override { ::AbortDoc(m_dc); }

private:
    HDC m_dc;
};

}  // namespace

std::unique_ptr<CPrintTarget> ShowPrintDialog(HWND owner) {
    if (Hook())
        return Hook()(owner);
    PRINTDLGW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.Flags = PD_RETURNDC | PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIESANDCOLLATE;
    const BOOL chosen = ::PrintDlgW(&dialog);
    if (dialog.hDevMode)
        ::GlobalFree(dialog.hDevMode);
    if (dialog.hDevNames)
        ::GlobalFree(dialog.hDevNames);
    if (!chosen || !dialog.hDC) {
        if (dialog.hDC)
            ::DeleteDC(dialog.hDC);
        return nullptr;
    }
    return std::make_unique<CPrinterTarget>(dialog.hDC);
}

void SetPrintDialogHook(PrintDialogHook hook) { Hook() = std::move(hook); }
