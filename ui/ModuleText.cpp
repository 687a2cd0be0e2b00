#include "ModuleText.h"

#include "FieldEncoding.h"

#include <cstring>

void SetModuleText(CWnd& wnd, const char* pszText)
{
    const bool bUtf8 = DecideFieldEncoding(pszText, std::strlen(pszText), false).bUtf8;
    wnd.SetWindowText(pszText, bUtf8 ? CP_UTF8 : CP_ACP);
}
