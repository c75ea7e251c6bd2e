// CShadeButtonST: a CButtonST whose background is a shade image of its own
// size, copied 1:1 to its top-left corner. Its border is the base's.
#pragma once
#include "widgets/button_st.h"
#include "widgets/cexdib.h"

class CShadeButtonST : public CButtonST {
public:
    ~CShadeButtonST() override;

    // Builds the shade from the button's current size and the system's
    // shadow, face and highlight colours. False without a window or size.
    bool SetShade();
    const CCeXDib& GetShade() const { return m_dib; }

protected:
    // Draws the shade; a button never given one gets it at its first drawing.
    void OnDrawBackground(HDC dc, const RECT& drawRect, const RECT& buttonRect) override;

private:
    CCeXDib m_dib;
};
