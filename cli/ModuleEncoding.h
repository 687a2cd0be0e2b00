// The encodings a module's fields show in: the module's as a whole, the fields that show in
// another encoding than the module's UTF-8 ones, and characters a field's limit cuts.
#pragma once

#include "Diagnostics.h"
#include "FieldRead.h"
#include "LegacyCodePage.h"

#include <string>
#include <vector>

class CCodePage;

class CModuleEncoding {
public:
    CModuleEncoding(CDiagnostics& diagnostics, const CCodePage& codePage);

    // Every read of a field the window shows: the title, a text, an attribution.
    void Take(const SFieldRead& read);
    // Reports what is left to report once the last field is known.
    void Finish();
    // "ASCII", "UTF-8", the code page's name ("Windows-1252") or "mixed encodings".
    std::string Name() const;

private:
    struct SAnsiField {
        std::uint64_t nLine;
        std::uint64_t nColumn; // from 1, of the first byte that is not UTF-8
        std::string strName;
    };

    void ReportAnsi(const SAnsiField& field);
    void ReportCut(const SFieldRead& read, std::uint64_t nCut);

    CDiagnostics& m_diagnostics;
    const CCodePage& m_codePage;
    CLegacyCodePage m_legacy;
    bool m_bUtf8 = false;
    bool m_bAnsi = false;
    // Fields not in UTF-8 found before any field in UTF-8, to report should one come.
    std::vector<SAnsiField> m_pending;
    std::uint64_t m_nPendingDropped = 0;
};
