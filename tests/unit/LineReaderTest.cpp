#include "LineReader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <string>
#include <vector>

namespace {

enum EEndState { kReading, kAtEnd, kFailed };

struct SReadCase {
    ELineMode eMode;
    std::string strInput;
    std::size_t nSize;
    std::vector<std::string> vecLines;
    EEndState eEnd;
};

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
    {T, "abcd\r\nz", 6, {"abcd", "z"}, kAtEnd},
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
// over every line in a second reader: both must move alike, and the end state must stick.
TEST(LineReaderTest, ReadAndSkip)
{
    for (const SReadCase& test : kReadCases) {
        SCOPED_TRACE(test.strInput.substr(0, 12));
        std::istringstream stream(test.strInput), copy(test.strInput);
        CLineReader reader(stream, test.eMode), skipper(copy, test.eMode);
        for (const std::string& strLine : test.vecLines) {
            std::vector<char> vecBuffer(test.nSize, 'U');
            reader.ReadBoundedLine(vecBuffer.data(), test.nSize);
            EXPECT_EQ(std::string(vecBuffer.data(), strnlen(vecBuffer.data(), test.nSize)),
                      strLine);
            EXPECT_EQ(skipper.SkipBoundedLine(test.nSize), strLine.c_str()[0]);
        }
        for (const CLineReader* pReader : {&reader, &skipper}) {
            EXPECT_EQ(pReader->IsAtEnd(), test.eEnd != kReading);
            EXPECT_EQ(pReader->HasFailed(), test.eEnd == kFailed);
        }
        char szAfter[4] = "x";
        reader.ReadBoundedLine(szAfter, 0);
        EXPECT_EQ(szAfter[0], 'x') << "a zero limit writes nothing";
        reader.ReadBoundedLine(szAfter);
        EXPECT_TRUE(test.eEnd == kReading || szAfter[0] == '\0');
    }
}

} // namespace
