// Stored text and the UTF-16 that Windows names files in. Stored text is UTF-8 when its bytes
// read as UTF-8 holding a multi-byte character, and in the legacy code page otherwise; a name
// the legacy code page holds is stored there, exactly as programs always stored it.
#pragma once

#include "LegacyCodePage.h"

#include <string>

std::wstring WideFromStored(const std::string& strStored, const CLegacyCodePage& codePage);

// In the legacy code page when it holds every character and its bytes there do not also read
// as UTF-8, in UTF-8 otherwise. False, and strStored empty, for a name that is not valid UTF-16
// (a lone surrogate), which no stored text can hold.
bool StoredFromWide(const std::wstring& strWide, const CLegacyCodePage& codePage,
                    std::string& strStored);
