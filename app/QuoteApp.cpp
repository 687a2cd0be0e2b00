#include "QuoteApp.h"

#include "QuoteDlg.h"
#include "resource.h"

#include <objbase.h>

CQuoteApp theApp;

CQuoteApp::CQuoteApp() = default;

CQuoteApp::~CQuoteApp() = default;

const CMessageMap* CQuoteApp::GetMessageMap() const
{
    static const CMessageEntry entries[] = {
        MapCommand<&CQuoteApp::OnHelpIndex>(ID_HELP_INDEX),
    };
    static const CMessageMap map(entries, CWinApp::GetMessageMap());
    return &map;
}

// Returning FALSE ends the process once the quote window's modal run is over.
BOOL CQuoteApp::InitInstance()
{
    Enable3dControlsStatic();
    CQuoteDlg dlg;
    ::CoInitialize(nullptr);
    dlg.DoModal();
    ::CoUninitialize();
    return FALSE;
}
