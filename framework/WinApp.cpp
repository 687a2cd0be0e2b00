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

std::string HelpFilePath()
{
    std::string strPath = ExecutablePath();
    const std::size_t nDot = strPath.rfind('.');
    if (nDot != std::string::npos)
        strPath.erase(nDot);
    return strPath + ".HLP";
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

void CWinApp::OnHelpIndex()
{
    const HWND hActive = ::GetActiveWindow();
    const HWND hTop = hActive != nullptr ? ::GetAncestor(hActive, GA_ROOT) : nullptr;
    if (!::WinHelpA(hTop, HelpFilePath().c_str(), HELP_INDEX, 0))
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
