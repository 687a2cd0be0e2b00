#include "QuotePreview.h"

#include "CodePage.h"
#include "FieldEncoding.h"
#include "QuoteState.h"
#include "QuoteView.h"

namespace {

struct CPreviewView : IQuoteView {
    explicit CPreviewView(const CCodePage& codePage) : m_codePage(codePage) {}

    void SetQuoteFields(const SShownText& text, const SShownText& author) override
    {
        m_preview = {AsShown(text), AsShown(author)};
    }
    void SetCaption(const SShownText&) override {}

    std::string AsShown(const SShownText& field) const
    {
        return field.nCodePage == kCodePageUtf8 ? field.strBytes
                                                : m_codePage.ToUtf8(field.strBytes);
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
