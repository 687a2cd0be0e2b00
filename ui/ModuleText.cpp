#include "ModuleText.h"

void SetModuleText(CWnd& wnd, const SShownText& text)
{
    wnd.SetWindowText(text.strBytes.c_str(), text.nCodePage);
}
