#include "LineFile.h"
#include "MemorySource.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace {

enum EEndState { kReading, kAtEnd, kFailed };

// Mode, input, limit, the lines read one after the other, and the state after them.
using SReadCase =
    std::tuple<ELineMode, std::string, std::size_t, std::vector<std::string>, EEndState>;

constexpr ELineMode T = ELineMode::Text, B = ELineMode::Binary;
constexpr std::size_t kBig = CLineReader::kChunkSize + 8;
const std::string kA(CLineReader::kChunkSize - 1, 'a'), kQ(40000, 'q');

// Limit 6 in the short cases: 4 characters keep the reads aligned, 5 fill the buffer.
// clang-format off
const SReadCase kReadCases[] = {
    {T, "abcd\nx", 6, {"abcd", "x"}, kAtEnd},
    {T, "abcd\n\nefgh\n", 6, {"abcd", "", "efgh", ""}, kFailed},
    {T, "abcdefgh\nz", 6, {"abcde", "fgh", "z"}, kAtEnd},
    {T, "", 6, {""}, kFailed},
    {T, "\ra\r\r\nz", 6, {"\ra\r", "z"}, kAtEnd},
    {T, "abcd\rxy\n", 6, {"abcd\r", "xy"}, kReading},
    {T, "abcde\r\nz", 6, {"abcde", "", "z"}, kAtEnd},
    {T, "abcd\r", 6, {"abcd\r", ""}, kFailed},
    {T, "ab\032cd\nef", 6, {"ab", ""}, kAtEnd},
    {B, "ab\032d\r\nz", 6, {"ab\032d\r", "", "z"}, kAtEnd},
    {T, "abc", 1, {"", "", ""}, kReading},
    {T, kA + "\r\nb", kBig, {kA, "b"}, kAtEnd},
    {T, kA + "\rx\n", kBig, {kA + "\rx", ""}, kFailed},
    {B, std::string(100000, 'q'), 40001, {kQ, kQ, kQ.substr(20000)}, kAtEnd}};
// clang-format on

// Reads every line into a buffer of exactly the limit's size, filled beforehand, and passes
// over every line in a second reader: both must move alike, also when the source hands out
// one byte at a time.
TEST(LineReaderTest, ReadAndSkip)
{
    for (const auto& [eMode, strInput, nSize, vecLines, eEnd] : kReadCases) {
        for (const std::size_t nPiece : {CLineReader::kChunkSize, std::size_t{1}}) {
            SCOPED_TRACE(strInput.substr(0, 12) + " in pieces of " + std::to_string(nPiece));
            CMemorySource source(strInput, nPiece), copy(strInput, nPiece);
            CLineReader reader(source, eMode), skipper(copy, eMode);
            for (const std::string& strLine : vecLines) {
                std::vector<char> vecBuffer(nSize, 'U');
                reader.ReadBoundedLine(vecBuffer.data(), nSize);
                EXPECT_EQ(std::string(vecBuffer.data(), strnlen(vecBuffer.data(), nSize)), strLine);
                EXPECT_EQ(skipper.SkipBoundedLine(nSize), strLine.c_str()[0]);
            }
            for (const CLineReader* pReader : {&reader, &skipper}) {
                EXPECT_EQ(pReader->IsAtEnd(), eEnd != kReading);
                EXPECT_EQ(pReader->HasFailed(), eEnd == kFailed);
            }
        }
    }
}

// Only a regular file opens; a missing one, a directory and a device do not, and a pipe that
// no one writes to is refused at once.
TEST(LineFileTest, OpensRegularFilesOnly)
{
#ifdef _WIN32
    const char* const kDevice = "NUL";
#else
    const char* const kDevice = "line-file-test.fifo";
    ASSERT_EQ(mkfifo(kDevice, 0600), 0);
#endif
    const char kFile[] = "line-file-test.txt";
    std::FILE* pFile = std::fopen(kFile, "wb");
    ASSERT_NE(pFile, nullptr);
    std::fputs("line", pFile);
    std::fclose(pFile);
    for (const char* pszPath : {kFile, "no-such-file.txt", ".", kDevice})
        EXPECT_EQ(CLineFile(pszPath, ELineMode::Text).IsOpen(), pszPath == kFile) << pszPath;
    std::remove(kFile);
    std::remove(kDevice);
}

} // namespace
