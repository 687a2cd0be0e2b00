// Text from a quote module, shown in a window in the encoding its bytes call for.
#pragma once

#include "Afx.h"

void SetModuleText(CWnd& wnd, const char* pszText);
