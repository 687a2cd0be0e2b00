// The quote window's state against real files: showing a module, loading and saving settings.
#include "QuoteState.h"
#include "RecordingView.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>

namespace {

namespace fs = std::filesystem;

const char kInvalid[] =
    "Invalid quote module selected. Please click on Options and load a valid module.";
const char kCaptionPrefix[] = "Adagiomill v1.2.0 -- ";
const std::string kSample = "Sample\n2\n%\nq0\na0\n%\nq1\na1\n";

// Index, interval, order, module, timer, position.
using Settings = std::tuple<int, int, int, std::string, int, int>;
const Settings kDefaults{-1, 10, ORDER_SEQUENTIAL, "miscellaneous.adg", 1, POS_CENTER};

void WriteBytes(const std::string& strPath, const std::string& strBytes)
{
    std::ofstream(strPath, std::ios::binary) << strBytes;
}

std::string ReadBytes(const std::string& strPath)
{
    std::ifstream file(strPath, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
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
        m_previous = fs::current_path();
        fs::current_path(m_dir);
        WriteBytes("m.adg", "Title\r\n1\r\n%\r\nq\r\na\r\n");
    }
    void TearDown() override
    {
        fs::current_path(m_previous);
        fs::remove_all(m_dir);
    }
    // A repaint at nIndex: shows that quote without moving on.
    void ShowAt(const std::string& strModule, int nIndex)
    {
        WriteBytes("test.adg", strModule);
        m_state.m_strModulePath = "test.adg";
        m_state.m_nCurrentQuote = nIndex;
        m_state.m_bHoldQuote = true;
        m_state.ShowQuoteText(m_view);
    }
    // Loads over scrambled members, so that every member must come from the load.
    Settings Load()
    {
        m_state.m_nCurrentQuote = m_state.m_nInterval = m_state.m_nOrder = 77;
        m_state.m_bTimerEnabled = m_state.m_nPosition = 77;
        m_state.m_strModulePath = m_view.m_strCaption = "scrambled";
        m_state.LoadSettings(m_view);
        return {m_state.m_nCurrentQuote, m_state.m_nInterval,     m_state.m_nOrder,
                m_state.m_strModulePath, m_state.m_bTimerEnabled, m_state.m_nPosition};
    }
    void SaveFrom(const Settings& settings)
    {
        std::tie(m_state.m_nCurrentQuote, m_state.m_nInterval, m_state.m_nOrder,
                 m_state.m_strModulePath, m_state.m_bTimerEnabled, m_state.m_nPosition) = settings;
        m_state.SaveSettings();
    }

    CQuoteState m_state;
    CRecordingView m_view;
    fs::path m_dir, m_previous;
};

// Module, index, quote text and attribution shown. An invalid header leaves the count and the
// index alone. At a negative index no quote is read: the header separator shows, and the
// attribution shown before. The last row leaves a title cut at its buffer.
TEST_F(QuoteStateTest, ShowQuote)
{
    const std::string k23(23, 't'), k199(199, 'x'),
        kShifted = "T\n2\n%\n" + k199 + "\na0\n%\nq1\na1\n";
    const std::tuple<std::string, int, std::string, std::string> kCases[] = {
        {"", 0, kInvalid, ""},
        {"T\n0\n%sep\nq0\na0\n", -1, "%sep", ""},
        {"T\n1\nq0\na0\n", 0, kInvalid, ""},
        {"T\n1000\n%\nq0\na0\n", 0, kInvalid, ""},
        {"T\n 7\n%\nq0\na0\n", 0, kInvalid, ""},
        {"T\n999\n%\nq0\na0\n", 0, "q0", "a0"},
        {"T\n7x\n%\nq0\na0\n", 0, "q0", "a0"},
        {k23 + "\n1\n%\nq0\na0\n", 0, "q0", "a0"},
        {kSample, 1, "q1", "a1"},
        {kSample, 2000000000, "", ""},
        {"T\n2\n%\nq0\na0\nq1\na1\n", 1, "q1", "a1"},
        {"T\n2\n%\n%\n%text\na0\n", 0, "%text", "a0"},
        {"T\n1\n%\nq0\n%%\n", 0, "q0", " %"},
        {"T\n1\n%\n~a~~b~\nx~y\n", 0, "\r\na\r\n\r\nb\r\n", "x~y"},
        {kShifted, 0, k199, ""},
        {kShifted, 1, "a0", " "},
        {"T\n2\n%\nq0\n" + std::string(49, 'a') + "\n%\nq1\na1\n", 1, "", " "},
        {"T\r\n2\r\n%\r\nq0\r\na0\r\n%\r\nq1\r\na1\r\n", 1, "q1", "a1"},
        {k23 + "t\n1\n%\nq0\na0\n", 0, kInvalid, ""},
    };
    for (const auto& [strModule, nIndex, strText, strAuthor] : kCases) {
        m_state.m_nQuoteCount = 55;
        ShowAt(strModule, nIndex);
        EXPECT_EQ(m_view.m_strText, strText) << strModule.substr(0, 40);
        EXPECT_EQ(m_view.m_strAuthor, strAuthor) << strModule.substr(0, 40);
        EXPECT_EQ(m_state.m_nQuoteCount == 55, strText == kInvalid) << strModule.substr(0, 40);
        EXPECT_EQ(m_state.m_nCurrentQuote, nIndex);
        EXPECT_TRUE(m_state.m_bHoldQuote && !m_state.m_bFirstShow);
    }
    EXPECT_STREQ(m_state.m_szTitle, (k23 + "t").c_str());
}

// What was shown stays; the settings fall back to the default module, shown on the next step.
TEST_F(QuoteStateTest, ModuleGoneAfterSuccessOrADirectory)
{
    const auto show = [this] { m_state.ShowQuoteText(m_view); };
    for (bool bDirectory : {false, true}) {
        ShowAt(kSample, 1);
        fs::remove("test.adg");
        if (bDirectory)
            fs::create_directory("test.adg");
        m_state.StepNext(show);
        EXPECT_EQ(m_view.m_strText + "|" + m_view.m_strAuthor, "q1|a1");
        EXPECT_EQ(m_state.m_strModulePath, "miscellaneous.adg");
        WriteBytes("miscellaneous.adg", "Miscellaneous\n1\n%\nDefault quote\nSomebody\n");
        m_state.StepNext(show);
        EXPECT_EQ(m_view.m_strText, "Default quote");
        fs::remove_all("test.adg");
    }
}

// Only the index, interval and order lines are checked, and the module must open. Each line
// is cut at its buffer, the rest of it left for the next line.
TEST_F(QuoteStateTest, LoadSettings)
{
    std::string k253 = "m.adg";
    while (k253.size() < 253)
        k253.insert(0, "./");
    const std::string k254 = "./" + k253.substr(1); // one more slash
    const std::pair<std::string, Settings> kAccepted[] = {
        {"m.adg\n3\n20\n1\n0\n2", {3, 20, 1, "m.adg", 0, 2}},
        {"m.adg\n999\n0\n2", {999, 0, 2, "m.adg", 0, 0}},
        {"m.adg\n5x\n10\n1\n-5\n-1", {5, 10, 1, "m.adg", -5, 0}},
        {"m.adg\n-1\n20\n1\n0\n2", {-1, 20, 1, "m.adg", 0, 2}},
        {"m.adg\n3\n10\n7\nx\n123", {3, 10, 7, "m.adg", 0, 12}},
        {k253 + "\n3\n10\n1\n1\n0", {3, 10, 1, k253, 1, 0}},
    };
    const std::string kRejected[] = {
        "m.adg\r\n3\r\n20\r\n1\r\n", "m.adg\n1000\n20\n1", "m.adg\n 5\n20\n1",
        "m.adg\n-2\n20\n1",          "m.adg\n-1x\n20\n1",  "m.adg\n3\n\n2",
        "m.adg\n3\n10\nx",           k254 + "\n3\n10\n1",  "nothere.adg\n3\n10\n1",
    };
    for (const auto& [strFile, expected] : kAccepted) {
        WriteBytes("index.txt", strFile);
        EXPECT_EQ(Load(), expected) << strFile.substr(0, 40);
        EXPECT_EQ(m_view.m_strCaption, std::string(kCaptionPrefix) + "Title");
        EXPECT_EQ(m_state.m_strCaptionPrefix, kCaptionPrefix);
    }
    for (const std::string& strFile : kRejected) {
        WriteBytes("index.txt", strFile);
        EXPECT_EQ(Load(), kDefaults) << strFile.substr(0, 40);
        EXPECT_EQ(m_view.m_strCaption, std::string(kCaptionPrefix) + "Miscellaneous");
    }
}

// A directory in place of the temporary costs nothing, as the file is then written in place;
// one in place of the file keeps it.
TEST_F(QuoteStateTest, SaveReplacesTheFile)
{
    const Settings kSaved{-1, 25, 1, "m.adg", 0, 2};
    WriteBytes("index.txt", "old content that is longer than any new one");
    SaveFrom(kSaved);
    EXPECT_EQ(ReadBytes("index.txt"), "m.adg\n-1\n25\n1\n0\n2");
    EXPECT_FALSE(fs::exists("index.txt.new"));
    EXPECT_EQ(Load(), kSaved);
    fs::create_directory("index.txt.new");
    SaveFrom(kDefaults);
    EXPECT_EQ(ReadBytes("index.txt"), "miscellaneous.adg\n-1\n10\n2\n1\n0");
    EXPECT_TRUE(fs::is_directory("index.txt.new"));
    fs::remove_all("index.txt.new");
    fs::remove("index.txt");
    fs::create_directory("index.txt");
    SaveFrom(kSaved);
    EXPECT_TRUE(fs::is_directory("index.txt"));
    EXPECT_FALSE(fs::exists("index.txt.new"));
}

} // namespace
