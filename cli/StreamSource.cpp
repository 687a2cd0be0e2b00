#include "StreamSource.h"

#include <exception>

std::ptrdiff_t CStreamSource::Read(char* pBuffer, std::size_t nSize)
{
    std::streambuf* pStreamBuffer = m_stream ? m_stream.rdbuf() : nullptr;
    if (pStreamBuffer == nullptr)
        return -1;
    try {
        return static_cast<std::ptrdiff_t>(
            pStreamBuffer->sgetn(pBuffer, static_cast<std::streamsize>(nSize)));
    } catch (const std::exception&) {
        // The stream library reports a failed read (a directory, a device error) by throwing.
        return -1;
    }
}
