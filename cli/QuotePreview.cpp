#include "QuotePreview.h"

#include "CodePage.h"
#include "FieldEncoding.h"
#include "QuoteState.h"
#include "QuoteView.h"

namespace {

struct CPreviewView : IQuoteView {
    explicit CPreviewView(const CCodePage& codePage) : m_codePage(codePage) {}

    void SetQuoteFields(const char* pszText, const char* pszAuthor) override
    {
        m_preview = {AsShown(pszText), AsShown(pszAuthor)};
    }
    void SetCaption(const char*) override {}

    std::string AsShown(const std::string& strField) const
    {
        const bool bUtf8 = DecideFieldEncoding(strField.data(), strField.size(), false).bUtf8;
        return bUtf8 ? strField : m_codePage.ToUtf8(strField);
    }

    const CCodePage& m_codePage;
    SQuotePreview m_preview;
};

} // namespace

SQuotePreview PreviewQuote(const std::string& strPath, int nQuote, const CCodePage& codePage)
{
    CQuoteState state;
    state.m_strModulePath = strPath;
    state.m_nCurrentQuote = nQuote - 1;
    state.m_bHoldQuote = true;
    state.m_codePage = codePage.Legacy();
    CPreviewView view(codePage);
    state.ShowQuoteText(view);
    return view.m_preview;
}
