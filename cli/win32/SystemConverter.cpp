#include "SystemConverter.h"

#include <windows.h>

#include <shellapi.h>

#include <climits>
#include <string>
#include <vector>

namespace {

// The numbers that stand for the system's own code pages (CP_ACP to CP_THREAD_ACP), and the
// code pages Microsoft documents as taking no conversion flags or others than a legacy code
// page's: none of them is one a module is written in.
bool IsRefused(UINT nCodePage)
{
    return nCodePage <= CP_THREAD_ACP || nCodePage == CP_SYMBOL ||
           (nCodePage >= 50220 && nCodePage <= 50229) || nCodePage == 52936 || nCodePage == 54936 ||
           (nCodePage >= 57002 && nCodePage <= 57011) || nCodePage >= CP_UTF7;
}

bool ToWide(UINT nCodePage, DWORD nFlags, const char* pBytes, std::size_t nLength,
            std::vector<wchar_t>& wide)
{
    wide.clear();
    if (nLength == 0)
        return true;
    if (nLength > INT_MAX)
        return false;
    const int nBytes = static_cast<int>(nLength);
    const int nChars = ::MultiByteToWideChar(nCodePage, nFlags, pBytes, nBytes, nullptr, 0);
    if (nChars <= 0)
        return false;
    wide.resize(static_cast<std::size_t>(nChars));
    return ::MultiByteToWideChar(nCodePage, nFlags, pBytes, nBytes, wide.data(), nChars) == nChars;
}

bool FromWide(UINT nCodePage, DWORD nFlags, const std::vector<wchar_t>& wide, std::string& strBytes,
              BOOL* pbUsedDefault)
{
    strBytes.clear();
    if (wide.empty())
        return true;
    const int nChars = static_cast<int>(wide.size());
    const int nBytes = ::WideCharToMultiByte(nCodePage, nFlags, wide.data(), nChars, nullptr, 0,
                                             nullptr, pbUsedDefault);
    if (nBytes <= 0)
        return false;
    strBytes.resize(static_cast<std::size_t>(nBytes));
    return ::WideCharToMultiByte(nCodePage, nFlags, wide.data(), nChars, &strBytes[0], nBytes,
                                 nullptr, pbUsedDefault) == nBytes;
}

} // namespace

struct CSystemConverter::SSystem {
    UINT nCodePage;
};

CSystemConverter::CSystemConverter(unsigned nCodePage)
{
    CPINFO info = {};
    if (IsRefused(nCodePage) || !::GetCPInfo(nCodePage, &info) || info.MaxCharSize > 2)
        return;
    m_pSystem.reset(new SSystem{nCodePage});
    for (int i = 0; i + 1 < MAX_LEADBYTES && info.LeadByte[i] != 0; i += 2) {
        for (unsigned ch = info.LeadByte[i]; ch <= info.LeadByte[i + 1]; ++ch)
            m_abLead[ch] = true;
    }
}

CSystemConverter::~CSystemConverter() = default;

// No flags: the window converts its fields so, and Windows documents none that would make a
// legacy code page refuse a byte.
bool CSystemConverter::ToUtf8(const char* pBytes, std::size_t nLength, std::string& strUtf8) const
{
    std::vector<wchar_t> wide;
    return IsOpen() && ToWide(m_pSystem->nCodePage, 0, pBytes, nLength, wide) &&
           FromWide(CP_UTF8, 0, wide, strUtf8, nullptr);
}

// Without best fit, a character the code page lacks becomes the default character and says so.
bool CSystemConverter::FromUtf8(const std::string& strUtf8, std::string& strBytes) const
{
    std::vector<wchar_t> wide;
    BOOL bUsedDefault = FALSE;
    return IsOpen() &&
           ToWide(CP_UTF8, MB_ERR_INVALID_CHARS, strUtf8.data(), strUtf8.size(), wide) &&
           FromWide(m_pSystem->nCodePage, WC_NO_BEST_FIT_CHARS, wide, strBytes, &bUsedDefault) &&
           !bUsedDefault;
}

// main()'s own arguments are in the ANSI code page, which cannot spell every name.
std::vector<std::string> CommandLineArguments(int argc, char** argv)
{
    int nArgs = 0;
    LPWSTR* ppszArgs = ::CommandLineToArgvW(::GetCommandLineW(), &nArgs);
    if (ppszArgs == nullptr)
        return std::vector<std::string>(argv + 1, argv + argc);
    std::vector<std::string> args(static_cast<std::size_t>(nArgs > 1 ? nArgs - 1 : 0));
    for (std::size_t i = 0; i < args.size(); ++i) {
        const wchar_t* pszArg = ppszArgs[i + 1];
        FromWide(CP_UTF8, 0, std::vector<wchar_t>(pszArg, pszArg + ::lstrlenW(pszArg)), args[i],
                 nullptr);
    }
    ::LocalFree(ppszArgs);
    return args;
}
