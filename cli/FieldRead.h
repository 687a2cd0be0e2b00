// One read of a module field, as the program makes it, with where it began.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "LineReader.h"

enum class EField { Title, Count, HeaderSeparator, Separator, Text, Attribution };

struct SFieldRead {
    EField eField = EField::Text;
    std::int64_t nQuote = 0; // from 1; 0 in the header
    std::size_t nSize = 0;   // of the program's buffer
    std::uint64_t nLine = 0;
    std::uint64_t nColumn = 0; // from 0; not 0 when the read goes on with an over-long line
    std::string strText;
    bool bMissing = false; // the file had ended
    bool bFull = false;    // the buffer filled, so the line end was left for the next read

    char First() const { return strText.empty() ? '\0' : strText[0]; }
    // The field's name in a message: "quote 3's text".
    std::string Name() const;
    // What the read got, for a message: "an empty line", "\"Proverbs\"".
    std::string Quoted() const;
};

// The program's line reader, counting lines as its reads pass their ends.
class CFieldReader {
public:
    explicit CFieldReader(IByteSource& source) : m_reader(source, ELineMode::Text) {}

    bool IsReadable() const { return m_reader.IsReadable(); }
    // A read into a buffer of nSize bytes (at most 200), of a field known by what it holds.
    SFieldRead Read(std::size_t nSize);

private:
    CLineReader m_reader;
    std::uint64_t m_nLine = 1;
    std::uint64_t m_nColumn = 0;
};
