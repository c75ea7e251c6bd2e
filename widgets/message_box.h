// CMessageBox: the question box on dialog template 103, with an icon, a text
// and up to three buttons whose captions follow the user-interface language.
#pragma once
#include "framework/controls.h"
#include "framework/dialog.h"
#include <array>
#include <string>

class CMessageBox : public CDialog {
public:
    // Style: low four bits the button kind, the next four the icon kind.
    static constexpr WORD kButtonKindMask = 0x0F;
    static constexpr WORD kIconKindMask = 0xF0;
    static constexpr WORD kButtonsOkCancel = 0x01;
    static constexpr WORD kButtonsYesNoCancel = 0x03;
    static constexpr WORD kButtonsYesNo = 0x04;
    static constexpr WORD kIconStop = 0x10;
    static constexpr WORD kIconQuestion = 0x20;
    static constexpr WORD kIconExclamation = 0x30;
    // Shorter texts make the box with the single middle button narrower.
    static constexpr std::size_t kNarrowTextLength = 16;

    explicit CMessageBox(HWND parent = nullptr);
    ~CMessageBox() override;

    CStatic m_icon;
    std::wstring m_strText;
    CButton m_btnLeft;
    CButton m_btnMiddle;
    CButton m_btnRight;
    WORD m_wStyle = 0x40;
    std::wstring m_strTitle;                    // empty keeps the template's title
    BOOL m_bCaptionsSet = FALSE;                // m_strCaptions replace the kind's captions
    std::array<std::wstring, 3> m_strCaptions;  // left, middle, right; empty keeps a caption

protected:
    DECLARE_MESSAGE_MAP()
    void DoDataExchange(CDataExchange& dx) override;
    BOOL OnInitDialog() override;
    void OnCancel() override;

private:
    void LayOutButtons();
    void NarrowBox();
    void FocusFirstControl();
    void OnLeft();
    void OnMiddle();
    void OnRight();
    void OnClose();
};
