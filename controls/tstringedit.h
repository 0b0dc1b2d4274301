// A text field bound to a character buffer of at least `textLimit` bytes
// (Windows-1252 text ending in NUL). It has no validator and no keyboard
// behaviour of its own; when it loses the focus after the user changed it,
// it copies its text into the buffer and announces the change as the number
// fields do.
#pragma once

#include "toolkit/tedit.h"

#include <cstdint>

class TStringEdit : public TEdit {
    Q_OBJECT

public:
    TStringEdit(TDialog* parent, int id, char* buffer, int textLimit, std::int16_t changeFlags);
    ~TStringEdit() override;

protected:
    void EvKillFocus(QWidget* gettingFocus) override;

private:
    std::int16_t m_changeFlags;
};
