// What the quote logic needs from the window that shows it. Each text comes with the code page
// its bytes are in, which the data core has decided from the field as it was read.
#pragma once

#include "FieldEncoding.h"

class IQuoteView {
public:
    virtual void SetQuoteFields(const SShownText& text, const SShownText& author) = 0;
    virtual void SetCaption(const SShownText& caption) = 0;

protected:
    ~IQuoteView() = default;
};
