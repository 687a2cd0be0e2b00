// A view that keeps what the quote logic last gave it, as the window's fields do.
#pragma once

#include "QuoteView.h"

#include <string>

struct CRecordingView : IQuoteView {
    void SetQuoteFields(const SShownText& text, const SShownText& author) override
    {
        m_strText = text.strBytes;
        m_strAuthor = author.strBytes;
        m_nTextCodePage = text.nCodePage;
        m_nAuthorCodePage = author.nCodePage;
    }
    void SetCaption(const SShownText& caption) override { m_strCaption = caption.strBytes; }

    std::string m_strText, m_strAuthor, m_strCaption;
    unsigned m_nTextCodePage = 0, m_nAuthorCodePage = 0;
};
