// The command line of fortune2adg.
#pragma once

#include "FortuneCookie.h"

#include <string>
#include <vector>

struct SFortuneOptions {
    bool m_bHelp = false;
    bool m_bHasTitle = false;
    std::string m_strTitle; // as typed, UTF-8
    int m_nMax = 999;
    unsigned m_nCodePage = 0; // of the module; 0 for UTF-8
    std::string m_strPath;
};

// False with strError set for a command line that cannot be used. --help wins over the rest.
bool ParseFortuneOptions(const std::vector<std::string>& args, SFortuneOptions& options,
                         std::string& strError);

const char* FortuneUsage();
const char* FortuneHelp();
