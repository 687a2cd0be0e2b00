// The application object: runs the quote window once, with COM around it.
#pragma once

#include "Afx.h"

class CQuoteApp : public CWinApp {
public:
    CQuoteApp();
    ~CQuoteApp() override;

    BOOL InitInstance() override;

protected:
    const CMessageMap* GetMessageMap() const override;
};
