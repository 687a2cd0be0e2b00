// Lines too long for the field read from them: the rest of such a line is read in the next
// field's place, which shifts every read after it.
#pragma once

#include "Diagnostics.h"
#include "FieldRead.h"

#include <optional>

class CLongLines {
public:
    explicit CLongLines(CDiagnostics& diagnostics) : m_diagnostics(diagnostics) {}

    // Every read, in order, once its field is known.
    void Take(const SFieldRead& read);
    // Reads on to the end of a long line still open when the program's reads stop.
    void Finish(CFieldReader& reader);

private:
    void Close();

    CDiagnostics& m_diagnostics;
    std::optional<SFieldRead> m_first;
    std::optional<SFieldRead> m_second;
    std::uint64_t m_nLength = 0;
    std::uint64_t m_nCharacters = 0; // when the line is UTF-8
    bool m_bUtf8 = false;
};
