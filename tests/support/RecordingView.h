// A view that keeps what the quote logic last gave it, as the window's fields do.
#pragma once

#include "QuoteView.h"

#include <string>

struct CRecordingView : IQuoteView {
    void SetQuoteFields(const char* pszText, const char* pszAuthor) override
    {
        m_strText = pszText;
        m_strAuthor = pszAuthor;
    }
    void SetCaption(const char* pszCaption) override { m_strCaption = pszCaption; }

    std::string m_strText, m_strAuthor, m_strCaption;
};
