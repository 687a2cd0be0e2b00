// One quote's two fields, through the program's own display code, in UTF-8 as the window
// shows them: a field that is not UTF-8 shows in the system's legacy code page.
#pragma once

#include <string>

class CCodePage;

struct SQuotePreview {
    std::string strText; // line breaks as the window gets them, CR LF
    std::string strAuthor;
};

// nQuote counts from 1. The file must be readable: the program falls back to its default
// module when it is not.
SQuotePreview PreviewQuote(const std::string& strPath, int nQuote, const CCodePage& codePage);
