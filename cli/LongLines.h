// Lines too long for the field read from them: the rest of such a line is read in the next
// field's place, which shifts every read after it.
#pragma once

#include "Diagnostics.h"
#include "FieldRead.h"

#include <optional>

class CCodePage;

class CLongLines {
public:
    CLongLines(CDiagnostics& diagnostics, const CCodePage& codePage)
        : m_diagnostics(diagnostics), m_codePage(codePage)
    {
    }

    // Every read, in order, once its field is known.
    void Take(const SFieldRead& read);
    // Reads on to the end of a long line still open when the program's reads stop.
    void Finish(CFieldReader& reader);

private:
    void Add(const std::string& strText);
    void Close();

    CDiagnostics& m_diagnostics;
    const CCodePage& m_codePage;
    std::optional<SFieldRead> m_first;
    std::optional<SFieldRead> m_second;
    std::uint64_t m_nLength = 0;
    std::uint64_t m_nCharacters = 0;
    bool m_bUtf8 = false;
    bool m_bTrailNext = false; // the last byte began a character of two in the code page
};
