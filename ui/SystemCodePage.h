// The system's legacy ANSI code page: Windows' "language for non-Unicode programs", which old
// modules were written in, even where the program itself runs with the UTF-8 code page.
#pragma once

#include "LegacyCodePage.h"

// The ANSI code page of the system locale, with its lead bytes.
CLegacyCodePage SystemLegacyCodePage();
