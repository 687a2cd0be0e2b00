// The quote window's state against real files: loading and saving settings. Showing a module is
// pinned by the quote_display fuzz target's model.
#include "QuoteState.h"
#include "RecordingView.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

namespace fs = std::filesystem;

const std::string kDefaults = "miscellaneous.adg -1 10 2 1 0";

void WriteBytes(const std::string& strPath, const std::string& strBytes)
{
    std::ofstream(strPath, std::ios::binary) << strBytes;
}

// Each test runs in a fresh current directory, removed afterwards, holding the module m.adg.
// Its title line ends in CR LF, which must not reach the caption.
class QuoteStateTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto nTicks = std::chrono::steady_clock::now().time_since_epoch().count();
        m_dir = fs::temp_directory_path() / ("adagio-" + std::to_string(nTicks));
        fs::create_directories(m_dir);
        fs::current_path(m_dir);
        WriteBytes("m.adg", "Title\r\n1\r\n%\r\nq\r\na\r\n");
    }
    void TearDown() override
    {
        fs::current_path(m_previous);
        fs::remove_all(m_dir);
    }
    CQuoteState m_state;
    CRecordingView m_view;
    fs::path m_previous = fs::current_path(), m_dir;
};

// Module, index, interval, order, timer and position loaded. Only the index, interval and
// order lines are checked, and the module must open. Each line is cut at its buffer, the rest
// of it left for the next line.
TEST_F(QuoteStateTest, LoadSettings)
{
    std::string k253 = "m.adg";
    while (k253.size() < 253)
        k253.insert(0, "./");
    // clang-format off
    const std::pair<std::string, std::string> kCases[] = {
        {"m.adg\n3\n20\n1\n0\n2", "m.adg 3 20 1 0 2"},
        {"m.adg\n999\n0\n2", "m.adg 999 0 2 0 0"},
        {"m.adg\n5x\n10\n1\n-5\n-1", "m.adg 5 10 1 -5 0"},
        {"m.adg\n-1\n20\n1\n0\n2", "m.adg -1 20 1 0 2"},
        {"m.adg\n3\n10\n7\nx\n123", "m.adg 3 10 7 0 12"},
        {k253 + "\n3\n10\n1\n1\n0", k253 + " 3 10 1 1 0"},
        {"m.adg\r\n3\r\n20\r\n1\r\n", kDefaults}, {"m.adg\n1000\n20\n1", kDefaults},
        {"m.adg\n 5\n20\n1", kDefaults}, {"m.adg\n-2\n20\n1", kDefaults},
        {"m.adg\n-1x\n20\n1", kDefaults}, {"m.adg\n3\n\n2", kDefaults},
        {"m.adg\n3\n10\nx", kDefaults}, {"./" + k253.substr(1) + "\n3\n10\n1", kDefaults},
        {"nothere.adg\n3\n10\n1", kDefaults}};
    // clang-format on
    for (const auto& [strFile, strExpected] : kCases) {
        WriteBytes("index.txt", strFile);
        m_state.LoadSettings(m_view);
        std::string strValues = m_state.m_strModulePath;
        for (int nValue : {m_state.m_nCurrentQuote, m_state.m_nInterval, m_state.m_nOrder,
                           m_state.m_bTimerEnabled, m_state.m_nPosition})
            strValues += ' ' + std::to_string(nValue);
        EXPECT_EQ(strValues, strExpected) << strFile.substr(0, 40);
        EXPECT_EQ(m_view.m_strCaption, std::string("Adagiomill v1.2.0 -- ") +
                                           (strExpected == kDefaults ? "Miscellaneous" : "Title"));
    }
}

// The old file is replaced whole, and a temporary that a crash left goes. A directory in place
// of the temporary costs nothing, as the file is then written in place; one in place of the file
// keeps it, and the save says so.
TEST_F(QuoteStateTest, SaveReplacesTheFile)
{
    m_state.m_strModulePath = "m.adg";
    m_state.m_nOrder = ORDER_RANDOM;
    m_state.m_nPosition = POS_TOP_RIGHT;
    const std::pair<const char*, bool> kInTheWay[] = {
        {"", false}, {"index.txt.new", false}, {"index.txt.new", true}, {"index.txt", true}};
    for (const auto& [pszPath, bDirectory] : kInTheWay) {
        fs::remove_all("index.txt.new");
        fs::remove_all("index.txt");
        WriteBytes("index.txt", "old content that is longer than any new one");
        if (bDirectory) {
            fs::remove_all(pszPath);
            fs::create_directory(pszPath);
        } else if (*pszPath != '\0') {
            WriteBytes(pszPath, "left by a crash");
        }
        EXPECT_EQ(m_state.SaveSettings(), !fs::is_directory("index.txt")) << pszPath;
        if (!fs::is_directory("index.txt")) {
            std::ifstream file("index.txt", std::ios::binary);
            const std::string strSaved{std::istreambuf_iterator<char>(file), {}};
            EXPECT_EQ(strSaved, "m.adg\n-1\n10\n1\n0\n2");
        }
        EXPECT_EQ(fs::exists("index.txt.new"), fs::is_directory("index.txt.new")) << pszPath;
    }
}

} // namespace
