#include "QuotePreview.h"

#include "QuoteState.h"
#include "QuoteView.h"

namespace {

struct CPreviewView : IQuoteView {
    void SetQuoteFields(const char* pszText, const char* pszAuthor) override
    {
        m_preview = {pszText, pszAuthor};
    }
    void SetCaption(const char*) override {}

    SQuotePreview m_preview;
};

} // namespace

SQuotePreview PreviewQuote(const std::string& strPath, int nQuote)
{
    CQuoteState state;
    state.m_strModulePath = strPath;
    state.m_nCurrentQuote = nQuote - 1;
    state.m_bHoldQuote = true;
    CPreviewView view;
    state.ShowQuoteText(view);
    return view.m_preview;
}
