// Text from a quote module, shown in a window in the code page the data core decided for it.
#pragma once

#include "Afx.h"
#include "FieldEncoding.h"

void SetModuleText(CWnd& wnd, const SShownText& text);
