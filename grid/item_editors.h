// The in-place editors the program grid opens over a cell. Both tell the grid
// when they lose the keyboard focus, through one shared message map.
#pragma once
#include "framework/controls.h"

// The edit box; its text is centred.
class CItemEditEx : public CEdit {
public:
    // The edit control takes its alignment only when it is created, so the
    // centred style is added to the creation style.
    BOOL PreCreateWindow(CREATESTRUCTW& cs) override;

protected:
    const MessageMap* GetMessageMap() const override;
};

// The drop-down list.
class CItemComboEx : public CComboBox {
protected:
    const MessageMap* GetMessageMap() const override;
};
