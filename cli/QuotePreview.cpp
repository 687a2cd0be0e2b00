#include "QuotePreview.h"

#include "Cp1252.h"
#include "FieldEncoding.h"
#include "QuoteState.h"
#include "QuoteView.h"

namespace {

std::string AsShown(const std::string& strField)
{
    const bool bUtf8 = DecideFieldEncoding(strField.data(), strField.size(), false).bUtf8;
    return bUtf8 ? strField : Cp1252ToUtf8(strField);
}

struct CPreviewView : IQuoteView {
    void SetQuoteFields(const char* pszText, const char* pszAuthor) override
    {
        m_preview = {AsShown(pszText), AsShown(pszAuthor)};
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
