#pragma once

#include "MessageMap.h"

#include <windows.h>

#include <string>

#ifndef ID_HELP_INDEX
#define ID_HELP_INDEX 0xE142
#endif

// The one application object. The framework's WinMain runs InitInstance and,
// only when it returns TRUE, a message loop.
class CWinApp : public CCmdTarget {
public:
    explicit CWinApp(const char* pszAppName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitInstance() { return TRUE; }

    // Dialog controls look three-dimensional on every current Windows.
    BOOL Enable3dControlsStatic() { return TRUE; }
    void OnHelpIndex();

    const char* m_pszAppName;
    HINSTANCE m_hInstance;

private:
    std::string m_strAppName;
};

CWinApp* AfxGetApp();

// The module whose resources the framework loads.
HINSTANCE AfxGetInstanceHandle();
