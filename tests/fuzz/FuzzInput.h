// Splits a fuzz input into a few header fields and the file bytes that follow them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class CFuzzInput {
public:
    CFuzzInput(const std::uint8_t* pData, std::size_t nSize) : m_pData(pData), m_nSize(nSize) {}

    // Little-endian; an input too short for its header reads as zeros there.
    template <typename T> T Take()
    {
        std::uint64_t nValue = 0;
        for (std::size_t i = 0; i < sizeof(T); ++i)
            nValue |= static_cast<std::uint64_t>(TakeByte()) << (8 * i);
        return static_cast<T>(nValue);
    }

    std::string Rest() const
    {
        return std::string(reinterpret_cast<const char*>(m_pData + m_nPos), m_nSize - m_nPos);
    }

private:
    std::uint8_t TakeByte() { return m_nPos < m_nSize ? m_pData[m_nPos++] : 0; }

    const std::uint8_t* m_pData;
    std::size_t m_nSize;
    std::size_t m_nPos = 0;
};

// Repeats the byte at nPos so that a short input can reach across the reader's chunk end.
inline void InsertRun(std::string& strBytes, std::size_t nPos, std::size_t nLength)
{
    if (strBytes.empty())
        return;
    nPos %= strBytes.size();
    strBytes.insert(nPos, nLength, strBytes[nPos]);
}
