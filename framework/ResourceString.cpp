#include "ResourceString.h"

#include "WinApp.h"

std::wstring AfxLoadString(UINT nID)
{
    // A length of 0 asks for the resource's own read-only copy: no buffer cuts the text short.
    const wchar_t* pszText = nullptr;
    const int nLength =
        ::LoadStringW(AfxGetInstanceHandle(), nID, reinterpret_cast<LPWSTR>(&pszText), 0);
    return nLength > 0 && pszText != nullptr
               ? std::wstring(pszText, static_cast<std::size_t>(nLength))
               : std::wstring();
}

// One pass, so a text put in is never searched for placeholders itself.
std::wstring AfxFormatString2(UINT nID, const wchar_t* psz1, const wchar_t* psz2)
{
    const std::wstring strFormat = AfxLoadString(nID);
    std::wstring strText;
    for (std::size_t i = 0; i < strFormat.size(); ++i) {
        const wchar_t chNext = i + 1 < strFormat.size() ? strFormat[i + 1] : L'\0';
        if (strFormat[i] == L'%' && (chNext == L'1' || chNext == L'2')) {
            strText += chNext == L'1' ? psz1 : psz2;
            ++i;
        } else {
            strText += strFormat[i];
        }
    }
    return strText;
}
