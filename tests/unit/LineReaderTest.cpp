#include "LineReader.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

enum EEndState { kReading, kAtEnd, kFailed };

struct SReadCase {
    const char* pszName;
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
const SReadCase kReadCases[] = {
    {"UnterminatedLast", T, "abcd\nx", 6, {"abcd", "x"}, kAtEnd},
    {"TerminatedLast", T, "abcd\n\nefgh\n", 6, {"abcd", "", "efgh", ""}, kFailed},
    {"LongerLineContinues", T, "abcdefgh\nz", 6, {"abcde", "fgh", "z"}, kAtEnd},
    {"EmptyInput", T, "", 6, {""}, kFailed},
    {"TextCrKeptUnlessBeforeLf", T, "\ra\r\r\nz", 6, {"\ra\r", "z"}, kAtEnd},
    {"TextCrLfAfterFour", T, "abcd\r\nz", 6, {"abcd", "z"}, kAtEnd},
    {"TextCrOtherAfterFour", T, "abcd\rxy\n", 6, {"abcd\r", "xy"}, kReading},
    {"FullLineLeavesCrLf", T, "abcde\r\nz", 6, {"abcde", "", "z"}, kAtEnd},
    {"TextCrAtEndOfFile", T, "abcd\r", 6, {"abcd\r", ""}, kFailed},
    {"TextEofByte", T, "ab\032cd\nef", 6, {"ab", ""}, kAtEnd},
    {"BinaryCrAndEofByteCount", B, "ab\032d\r\nz", 6, {"ab\032d\r", "", "z"}, kAtEnd},
    {"LimitOneNeverMoves", T, "abc", 1, {"", "", ""}, kReading},
    {"CrLfAcrossChunks", T, kA + "\r\nb", kBig, {kA, "b"}, kAtEnd},
    {"CrOtherAcrossChunks", T, kA + "\rx\n", kBig, {kA + "\rx", ""}, kFailed},
    {"LongLineInPieces", B, std::string(100000, 'q'), 40001, {kQ, kQ, kQ.substr(20000)}, kAtEnd},
};

// Reads every line into a buffer with guard bytes behind it, and passes over every line
// in a second reader: both must move alike, and the end state must stick.
TEST(LineReaderTest, ReadAndSkip)
{
    for (const SReadCase& test : kReadCases) {
        SCOPED_TRACE(test.pszName);
        std::istringstream stream(test.strInput, std::ios::binary), copy(test.strInput);
        CLineReader reader(stream, test.eMode), skipper(copy, test.eMode);
        for (const std::string& strLine : test.vecLines) {
            std::vector<char> vecBuffer(test.nSize + 8, 0x55);
            reader.ReadBoundedLine(vecBuffer.data(), test.nSize);
            EXPECT_EQ(std::string(vecBuffer.data()), strLine);
            EXPECT_EQ(std::string(vecBuffer.begin() + test.nSize, vecBuffer.end()), "UUUUUUUU");
            EXPECT_EQ(skipper.SkipBoundedLine(test.nSize), strLine.empty() ? '\0' : strLine[0]);
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
