// One quote's two fields, through the program's own display code.
#pragma once

#include <string>

struct SQuotePreview {
    std::string strText; // line breaks as the window gets them, CR LF
    std::string strAuthor;
};

// nQuote counts from 1. The file must be readable: the program falls back to its default
// module when it is not.
SQuotePreview PreviewQuote(const std::string& strPath, int nQuote);
