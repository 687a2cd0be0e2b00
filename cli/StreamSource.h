// A C++ stream as a line reader's source, for the tools' callers that hand one over.
#pragma once

#include "LineReader.h"

#include <istream>

class CStreamSource final : public IByteSource {
public:
    explicit CStreamSource(std::istream& stream) : m_stream(stream) {}

    // -1 for a stream that did not open.
    std::ptrdiff_t Read(char* pBuffer, std::size_t nSize) override;

private:
    std::istream& m_stream;
};
