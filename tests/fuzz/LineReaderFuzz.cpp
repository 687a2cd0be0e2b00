// The bounded line reader in both modes, read and skipped with a sequence of limits, against
// the byte-at-a-time model.
#include "FuzzSupport.h"
#include "LineFile.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

const char kszFile[] = "lines.txt";
constexpr std::size_t kChunk = CLineReader::kChunkSize;
// Enough reads to run through a long input with small limits; limits 0 and 1 never move.
constexpr int kMaxReads = 4096;

// Limit codes below kFirstLarge are the limit itself; the ones above name sizes around the
// buffers' and the chunk's. Bit 7 passes over the line instead of reading it.
const std::size_t kLargeLimits[] = {
    199,        200,       254,        255,        1024,           8192,       kChunk - 2,
    kChunk - 1, kChunk,    kChunk + 1, kChunk + 2, 2 * kChunk - 1, 2 * kChunk, 2 * kChunk + 1,
    3 * kChunk, 4 * kChunk};
constexpr std::uint8_t kFirstLarge = 128 - sizeof kLargeLimits / sizeof kLargeLimits[0];

// A buffer of exactly the limit's size, so that the sanitizer sees a write one past its end.
struct SLimit {
    std::size_t nSize;
    bool bSkip;
    std::unique_ptr<char[]> pBuffer;
};

SLimit DecodeLimit(std::uint8_t nCode)
{
    const std::uint8_t nValue = nCode & 0x7F;
    const std::size_t nSize = nValue < kFirstLarge ? nValue : kLargeLimits[nValue - kFirstLarge];
    return {nSize, (nCode & 0x80) != 0, std::unique_ptr<char[]>(new char[nSize])};
}

// Once the model is at its end the reader must be too, so every later read stays empty.
// Only the bytes the read should write are filled beforehand, since a limit may be large.
void ReadAndCompare(CLineReader& reader, CReferenceReader& model, const SLimit& limit)
{
    const std::string strExpected = model.Read(limit.nSize);
    if (limit.bSkip) {
        FUZZ_CHECK(reader.SkipBoundedLine(limit.nSize) == strExpected.c_str()[0]);
    } else {
        char* pBuffer = limit.pBuffer.get();
        std::memset(pBuffer, 0x55, std::min(limit.nSize, strExpected.size() + 1));
        reader.ReadBoundedLine(pBuffer, limit.nSize);
        FUZZ_CHECK(limit.nSize == 0 ||
                   std::memcmp(pBuffer, strExpected.c_str(), strExpected.size() + 1) == 0);
    }
    FUZZ_CHECK(reader.IsAtEnd() == model.IsAtEnd());
    FUZZ_CHECK(reader.HasFailed() == model.HasFailed());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    EnterPrivateWorkDir();
    return 0;
}

// Header: flags (binary mode, run), run position and length, limit count and codes; then
// the file.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    CFuzzInput input(pData, nSize);
    const auto nFlags = input.Take<std::uint8_t>();
    input.TakeRun();
    std::vector<SLimit> vecLimits(input.Take<std::uint8_t>() % 16 + 1);
    std::generate(vecLimits.begin(), vecLimits.end(),
                  [&input] { return DecodeLimit(input.Take<std::uint8_t>()); });
    const ELineMode eMode = (nFlags & 1) ? ELineMode::Binary : ELineMode::Text;
    CReferenceReader model(input.WriteRest(kszFile, nFlags & 2), eMode);

    CLineFile file(kszFile, eMode);
    FUZZ_CHECK(file.IsOpen());
    CLineReader& reader = file.Reader();
    // Once at the end, every limit is tried once more.
    std::size_t nReadsAtEnd = 0;
    for (int i = 0; i < kMaxReads && nReadsAtEnd <= vecLimits.size(); ++i) {
        ReadAndCompare(reader, model, vecLimits[i % vecLimits.size()]);
        nReadsAtEnd += model.IsAtEnd() ? 1 : 0;
    }
    return 0;
}
