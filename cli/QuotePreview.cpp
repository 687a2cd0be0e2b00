#include "QuotePreview.h"

#include "Cp1252.h"
#include "FieldEncoding.h"
#include "QuoteState.h"
#include "QuoteView.h"

namespace {

std::string AsShown(const SShownText& field)
{
    return field.nCodePage == kCodePageUtf8 ? field.strBytes : Cp1252ToUtf8(field.strBytes);
}

struct CPreviewView : IQuoteView {
    void SetQuoteFields(const SShownText& text, const SShownText& author) override
    {
        m_preview = {AsShown(text), AsShown(author)};
    }
    void SetCaption(const SShownText&) override {}

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
