#include "WinApp.h"

#include "MessageBox.h"
#include "ResourceString.h"

#include <commctrl.h>

namespace {

CWinApp* g_pApp = nullptr;

std::string ExecutablePath()
{
    char szPath[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, szPath, sizeof szPath);
    szPath[sizeof szPath - 1] = '\0';
    return szPath;
}

std::string ExecutableTitle()
{
    const std::string strPath = ExecutablePath();
    const std::size_t nSlash = strPath.find_last_of("\\/:");
    const std::string strName = nSlash == std::string::npos ? strPath : strPath.substr(nSlash + 1);
    return strName.substr(0, strName.rfind('.'));
}

// The executable's path with everything from its last "." replaced by pszExtension, when a
// file lies there; empty otherwise. Wide, so that a file in any folder is found.
std::wstring FileBesideExecutable(const wchar_t* pszExtension)
{
    const DWORD nSize = 32768; // the longest path Windows has
    std::wstring strPath(nSize, L'\0');
    const DWORD nLength = ::GetModuleFileNameW(nullptr, &strPath[0], nSize);
    strPath.resize(nLength < nSize ? nLength : 0);
    const std::size_t nDot = strPath.rfind(L'.');
    if (nDot == std::wstring::npos)
        return std::wstring();
    strPath.erase(nDot).append(pszExtension);
    const DWORD dwAttributes = ::GetFileAttributesW(strPath.c_str());
    const bool bFile =
        dwAttributes != INVALID_FILE_ATTRIBUTES && !(dwAttributes & FILE_ATTRIBUTE_DIRECTORY);
    return bFile ? strPath : std::wstring();
}

using PShellExecuteFn = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);

// In the user's browser. The shell is loaded only when asked for, from the system folder:
// every start would pay for it otherwise.
bool OpenHelpPage(HWND hOwner)
{
    const std::wstring strPage = FileBesideExecutable(L".html");
    if (strPage.empty())
        return false;
    static const HMODULE hShell =
        ::LoadLibraryExA("shell32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    const FARPROC pfnProc = hShell != nullptr ? ::GetProcAddress(hShell, "ShellExecuteW") : nullptr;
    const auto pfnOpen = reinterpret_cast<PShellExecuteFn>(reinterpret_cast<void (*)()>(pfnProc));
    // Anything above 32 means the page was handed on.
    return pfnOpen != nullptr &&
           reinterpret_cast<INT_PTR>(
               pfnOpen(hOwner, nullptr, strPage.c_str(), nullptr, nullptr, SW_SHOWNORMAL)) > 32;
}

int RunMessageLoop()
{
    MSG msg = {};
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

} // namespace

CWinApp::CWinApp(const char* pszAppName)
    : m_pszAppName(nullptr), m_hInstance(::GetModuleHandleA(nullptr)),
      m_strAppName(pszAppName != nullptr ? pszAppName : ExecutableTitle())
{
    m_pszAppName = m_strAppName.c_str();
    g_pApp = this;
}

CWinApp::~CWinApp()
{
    if (g_pApp == this)
        g_pApp = nullptr;
}

// The page first: current Windows answers a help file with a notice of its own while WinHelp
// reports success. A help file is still handed on when someone supplies one.
void CWinApp::OnHelpIndex()
{
    const HWND hActive = ::GetActiveWindow();
    const HWND hTop = hActive != nullptr ? ::GetAncestor(hActive, GA_ROOT) : nullptr;
    if (OpenHelpPage(hTop))
        return;
    const std::wstring strHelpFile = FileBesideExecutable(L".HLP");
    if (strHelpFile.empty() || !::WinHelpW(hTop, strHelpFile.c_str(), HELP_INDEX, 0))
        AfxMessageBox(AfxLoadString(AFX_IDP_FAILED_TO_LAUNCH_HELP).c_str());
}

CWinApp* AfxGetApp()
{
    return g_pApp;
}

HINSTANCE AfxGetInstanceHandle()
{
    return g_pApp != nullptr ? g_pApp->m_hInstance : ::GetModuleHandleA(nullptr);
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    // Before anything else loads a DLL: none may come from the program's folder, where a
    // download could have put one beside it.
    ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return 0;
    pApp->m_hInstance = hInstance;
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&icc);
    if (!pApp->InitInstance())
        return 0;
    return RunMessageLoop();
}
