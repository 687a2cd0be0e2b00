// The bounded line reader in both modes, read and skipped with a sequence of limits, against
// the byte-at-a-time model.
#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "FuzzWorkDir.h"
#include "LineFile.h"
#include "ReferenceReader.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace {

const char kszFile[] = "lines.txt";
constexpr std::size_t kChunk = CLineReader::kChunkSize;
// Enough reads to run through a long input with small limits; limits 0 and 1 never move.
constexpr int kMaxReads = 4096;

// Limits of 0 to 111 as they are; the codes above them name sizes around the buffers' and
// the chunk's.
const std::size_t kLargeLimits[] = {
    199,        200,       254,        255,        1024,           8192,       kChunk - 2,
    kChunk - 1, kChunk,    kChunk + 1, kChunk + 2, 2 * kChunk - 1, 2 * kChunk, 2 * kChunk + 1,
    3 * kChunk, 4 * kChunk};
constexpr std::uint8_t kFirstLarge = 128 - sizeof kLargeLimits / sizeof kLargeLimits[0];

// A buffer of exactly the limit's size, so that the sanitizer sees a write one past its end.
struct SLimit {
    std::size_t nSize;
    bool bSkip; // pass over the line instead of reading it
    std::unique_ptr<char[]> pBuffer;
};

SLimit DecodeLimit(std::uint8_t nCode)
{
    const std::uint8_t nValue = nCode & 0x7F;
    const std::size_t nSize = nValue < kFirstLarge ? nValue : kLargeLimits[nValue - kFirstLarge];
    return {nSize, (nCode & 0x80) != 0, std::unique_ptr<char[]>(new char[nSize])};
}

// Only the bytes the read should write are filled beforehand, since a limit may be large.
void ReadAndCompare(CLineReader& reader, CReferenceReader& model, const SLimit& limit)
{
    const bool bWasAtEnd = reader.IsAtEnd();
    const std::string strExpected = model.Read(limit.nSize);
    char* pBuffer = limit.pBuffer.get();
    std::memset(pBuffer, 0x55, std::min(limit.nSize, strExpected.size() + 1));
    reader.ReadBoundedLine(pBuffer, limit.nSize);
    if (limit.nSize == 0)
        return;
    FUZZ_CHECK(strExpected.size() < limit.nSize);
    FUZZ_CHECK(std::memcmp(pBuffer, strExpected.data(), strExpected.size()) == 0);
    FUZZ_CHECK(pBuffer[strExpected.size()] == '\0');
    FUZZ_CHECK(!bWasAtEnd || pBuffer[0] == '\0');
}

void SkipAndCompare(CLineReader& reader, CReferenceReader& model, std::size_t nSize)
{
    const char chFirst = reader.SkipBoundedLine(nSize);
    const std::string strExpected = model.Read(nSize);
    FUZZ_CHECK(chFirst == (strExpected.empty() ? '\0' : strExpected[0]));
}

std::vector<SLimit> TakeLimits(CFuzzInput& input)
{
    std::vector<SLimit> vecLimits(input.Take<std::uint8_t>() % 16 + 1);
    std::generate(vecLimits.begin(), vecLimits.end(),
                  [&input] { return DecodeLimit(input.Take<std::uint8_t>()); });
    return vecLimits;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    EnterPrivateWorkDir();
    return 0;
}

// Header: mode and run flags, run position and length, the limits; then the file.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    CFuzzInput input(pData, nSize);
    const auto nFlags = input.Take<std::uint8_t>();
    const auto nRunPos = input.Take<std::uint16_t>();
    const auto nRunLength = input.Take<std::uint32_t>() % (2 * kChunk + 8);
    const std::vector<SLimit> vecLimits = TakeLimits(input);
    std::string strFile = input.Rest();
    if (nFlags & 2)
        InsertRun(strFile, nRunPos, nRunLength);
    const ELineMode eMode = (nFlags & 1) ? ELineMode::Binary : ELineMode::Text;
    WriteFileBytes(kszFile, strFile);

    CLineFile file(kszFile, eMode);
    FUZZ_CHECK(file.IsOpen());
    CLineReader& reader = file.Reader();
    CReferenceReader model(strFile, eMode);
    // Once at the end, every limit is tried once more: each read must stay empty.
    std::size_t nReadsAtEnd = 0;
    for (int i = 0; i < kMaxReads && nReadsAtEnd <= vecLimits.size(); ++i) {
        const SLimit& limit = vecLimits[i % vecLimits.size()];
        if (limit.bSkip)
            SkipAndCompare(reader, model, limit.nSize);
        else
            ReadAndCompare(reader, model, limit);
        FUZZ_CHECK(reader.IsAtEnd() == model.IsAtEnd());
        FUZZ_CHECK(reader.HasFailed() == model.HasFailed());
        nReadsAtEnd += model.IsAtEnd() ? 1 : 0;
    }
    return 0;
}
