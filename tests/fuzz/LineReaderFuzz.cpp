// The bounded line reader in both modes, read and skipped with a sequence of limits, against
// the byte-at-a-time model.
#include "FuzzSupport.h"
#include "LineFile.h"

#include <memory>
#include <vector>

namespace {

const char kszFile[] = "lines.txt";
constexpr std::size_t kChunk = CLineReader::kChunkSize;

// Limit codes below kFirstLarge are the limit itself; the ones above name sizes around the
// buffers' and the chunk's. Bit 7 passes over the line instead of reading it.
const std::size_t kLargeLimits[] = {
    199,        200,       254,        255,        1024,           8192,       kChunk - 2,
    kChunk - 1, kChunk,    kChunk + 1, kChunk + 2, 2 * kChunk - 1, 2 * kChunk, 2 * kChunk + 1,
    3 * kChunk, 4 * kChunk};
constexpr std::uint8_t kFirstLarge = 128 - std::size(kLargeLimits);

// A buffer of exactly the limit's size, so that the sanitizer sees a write one past its end.
struct SLimit {
    explicit SLimit(std::uint8_t nCode) : nSize(nCode & 0x7F), bSkip((nCode & 0x80) != 0)
    {
        if (nSize >= kFirstLarge)
            nSize = kLargeLimits[nSize - kFirstLarge];
        pBuffer.reset(new char[nSize]);
    }
    std::size_t nSize;
    bool bSkip;
    std::unique_ptr<char[]> pBuffer;
};

// Only the bytes the read should write are filled beforehand, since a limit may be large.
void ReadAndCompare(CLineReader& reader, CModelReader& model, const SLimit& limit)
{
    const std::string strExpected = model.Read(limit.nSize);
    if (limit.bSkip) {
        FUZZ_CHECK(reader.SkipBoundedLine(limit.nSize) == strExpected.c_str()[0]);
    } else {
        std::memset(limit.pBuffer.get(), 0x55, std::min(limit.nSize, strExpected.size() + 1));
        reader.ReadBoundedLine(limit.pBuffer.get(), limit.nSize);
        FUZZ_CHECK(limit.nSize == 0 || std::memcmp(limit.pBuffer.get(), strExpected.c_str(),
                                                   strExpected.size() + 1) == 0);
    }
    FUZZ_CHECK(reader.IsAtEnd() == model.m_bAtEnd && reader.HasFailed() == model.m_bFailed);
}

} // namespace

// Header: flags (binary mode, run), run position and length, limit count and codes; then
// the file.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    CFuzzInput input{pData, nSize};
    const auto nFlags = input.Take<std::uint8_t>();
    const auto nRunPos = input.Take<std::uint16_t>();
    const auto nRunLength = input.Take<std::uint32_t>();
    std::vector<SLimit> vecLimits;
    for (int i = input.Take<std::uint8_t>() % 16; i >= 0; --i)
        vecLimits.emplace_back(input.Take<std::uint8_t>());
    const ELineMode eMode = (nFlags & 1) ? ELineMode::Binary : ELineMode::Text;
    CModelReader model(input.WriteRest(kszFile, nFlags & 2, nRunPos, nRunLength), eMode);
    CLineFile file(kszFile, eMode);
    FUZZ_CHECK(file.IsOpen());
    // Enough reads for a long input with small limits; once at the end, every limit is tried
    // once more and must read nothing.
    std::size_t nReadsAtEnd = 0;
    for (int i = 0; i < 4096 && nReadsAtEnd <= vecLimits.size(); ++i) {
        ReadAndCompare(file.Reader(), model, vecLimits[i % vecLimits.size()]);
        nReadsAtEnd += model.m_bAtEnd ? 1 : 0;
    }
    return 0;
}
