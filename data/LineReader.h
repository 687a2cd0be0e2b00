// Line-by-line reading of bytes, identical on every platform.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

enum class ELineMode {
    Text,   // CR LF or LF ends a line; a byte 0x1A ends the file
    Binary, // LF alone ends a line; CR is an ordinary character
};

// Where a line reader's bytes come from: a file, or whatever a tool reads from.
class IByteSource {
public:
    // Reads at most nSize bytes into pBuffer. Returns how many, 0 at the end of the data, or
    // -1 when the read failed.
    virtual std::ptrdiff_t Read(char* pBuffer, std::size_t nSize) = 0;

protected:
    ~IByteSource() = default;
};

class CLineReader {
public:
    // The reader does its own line-end handling: the source gives the bytes as stored.
    CLineReader(IByteSource& source, ELineMode eMode);
    CLineReader(const CLineReader&) = delete;
    CLineReader& operator=(const CLineReader&) = delete;

    // False when the source's first read failed, as a file's does that did not open.
    bool IsReadable() const { return m_bReadable; }
    bool IsAtEnd() const { return m_bAtEnd; }
    bool HasFailed() const { return m_bFailed; }

    // Reads at most nSize - 1 characters of one line into pszLine and terminates it.
    // A line end that stops the read is consumed; after nSize - 1 characters the read
    // stops without looking further, so the rest of the line is what the next read gets.
    // Returns the characters read, which a NUL byte among them would hide from strlen.
    std::size_t ReadBoundedLine(char* pszLine, std::size_t nSize);
    template <std::size_t N> std::size_t ReadBoundedLine(char (&szLine)[N])
    {
        return ReadBoundedLine(szLine, N);
    }

    // Moves on exactly as ReadBoundedLine would, keeping only the first character of what
    // it passes ('\0' when that is empty): lines read only to be passed over cost no copy.
    char SkipBoundedLine(std::size_t nSize);

    // The line ends found ahead of the reading position, for passing over many lines at a
    // few instructions each: the bytes, the reading position in them and the offsets of the
    // next nCount line ends (LF), in order. Finds more first when none is left: nCount is 0
    // only when no line end lies ahead in what has been read so far.
    struct SFoundLines {
        const char* pBytes;
        std::size_t nPos;
        const std::uint16_t* pEnds;
        std::size_t nCount;
    };
    SFoundLines FoundLines();
    // Moves past the first nLines of those line ends. Whether each line would be read whole
    // within its limit is for the caller to know, as it is for SkipBoundedLine.
    void PassLines(std::size_t nLines);

    // Bytes read from the source at a time; offsets in the chunk fit 16 bits.
    static constexpr std::size_t kChunkSize = 65536;

private:
    struct SLineTarget {
        char* pszLine; // nullptr when the characters are not kept
        std::size_t nLength;
        char chFirst;
    };

    bool TakeWholeLine(SLineTarget& target, std::size_t nMax);
    void ReadCharacters(SLineTarget& target, std::size_t nMax);
    void Take(SLineTarget& target, std::size_t nCount);
    std::size_t NextLineEnd();
    void IndexLineEnds();
    bool IsCrLfAhead();
    bool EnsureAhead(std::size_t nBytes);
    bool FillChunk();

    // Chunk bytes searched for line ends at a time, and how few found ends ahead make
    // FoundLines search on.
    static constexpr std::size_t kIndexBlock = 4096;
    static constexpr std::size_t kFewLineEnds = 3;

    IByteSource& m_source;
    ELineMode m_eMode;
    std::unique_ptr<char[]> m_pChunk;
    std::size_t m_nPos = 0;
    std::size_t m_nEnd = 0;
    // The chunk offsets of the line ends found below m_nIndexed, the first one still ahead
    // of m_nPos at m_nNextEnd (or soon after it): a line costs no search of its own.
    std::uint16_t m_anLineEnds[kIndexBlock + kFewLineEnds] = {};
    std::size_t m_nNextEnd = 0;
    std::size_t m_nEndCount = 0;
    std::size_t m_nIndexed = 0;
    bool m_bSourceDone = false;
    bool m_bReadable = true;
    bool m_bAtEnd = false;
    bool m_bFailed = false;
};
