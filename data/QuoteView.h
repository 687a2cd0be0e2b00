// What the quote logic needs from the window that shows it.
#pragma once

class IQuoteView {
public:
    virtual void SetQuoteFields(const char* pszText, const char* pszAuthor) = 0;
    virtual void SetCaption(const char* pszCaption) = 0;

protected:
    ~IQuoteView() = default;
};
