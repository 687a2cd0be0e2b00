#include "QuoteTestSupport.h"

#include <iterator>

namespace {

const char kDefaultCaption[] = "Adagiomill v1.2.0 -- Miscellaneous";

// Index, interval, order, module, timer, position.
using Settings = std::tuple<int, int, int, std::string, int, int>;
const Settings kDefaults{-1, 10, ORDER_SEQUENTIAL, "miscellaneous.adg", 1, POS_CENTER};

std::string ReadBytes(const std::string& strPath)
{
    std::ifstream file(strPath, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

class SettingsTest : public CScratchDirTest {
protected:
    void SetUp() override
    {
        CScratchDirTest::SetUp();
        WriteBytes("m.adg", "Title\n1\n%\nq\na\n");
        WriteBytes("miscellaneous.adg", "Miscellaneous\n1\n%\nq\na\n");
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
};

TEST_F(SettingsTest, LoadFromFile)
{
    std::string strDots;
    for (int i = 0; i < 124; ++i)
        strDots += "./";
    const std::string k253 = strDots + "m.adg", k254 = strDots + "/m.adg";
    const std::pair<std::string, Settings> kCases[] = {
        {"m.adg\n3\n20\n1\n0\n2", {3, 20, 1, "m.adg", 0, 2}},
        {"m.adg\n3\n20\n1", {3, 20, 1, "m.adg", 0, 0}},
        {"", kDefaults},
        {"m.adg\r\n3\r\n20\r\n1\r\n0\r\n2\r\n", kDefaults},
        {"m.adg\n999\n20\n1\n1\n1", {999, 20, 1, "m.adg", 1, 1}},
        {"m.adg\n1000\n20\n1\n1\n1", kDefaults},
        {"m.adg\n5x\n20\n1\n1\n1", {5, 20, 1, "m.adg", 1, 1}},
        {"m.adg\n 5\n20\n1\n1\n1", kDefaults},
        {"m.adg\n-1\n20\n1\n0\n2", {-1, 20, 1, "m.adg", 0, 2}},
        {"m.adg\n-2\n20\n1\n0\n2", kDefaults},
        {"m.adg\n-1x\n20\n1\n0\n2", kDefaults},
        {"m.adg\n3\n0\n2\n1\n0", {3, 0, 2, "m.adg", 1, 0}},
        {"m.adg\n3\n99\n2\n1\n0", {3, 99, 2, "m.adg", 1, 0}},
        {"m.adg\n3\n\n2\n1\n0", kDefaults},
        {"m.adg\n3\n10\nx\n1\n0", kDefaults},
        {"m.adg\n3\n10\n7\nx\n9", {3, 10, 7, "m.adg", 0, 9}},
        {"m.adg\n3\n10\n1\n-5\n-1", {3, 10, 1, "m.adg", -5, 0}},
        {"m.adg\n3\n10\n1\n1\n123", {3, 10, 1, "m.adg", 1, 12}},
        {k253 + "\n3\n10\n1\n1\n0", {3, 10, 1, k253, 1, 0}},
        {k254 + "\n3\n10\n1\n1\n0", kDefaults},
        {"nothere.adg\n3\n10\n1\n1\n0", kDefaults},
    };
    for (const auto& [strFile, expected] : kCases) {
        WriteBytes("index.txt", strFile);
        EXPECT_EQ(Load(), expected) << strFile.substr(0, 40);
        EXPECT_EQ(m_view.m_strCaption,
                  expected == kDefaults ? kDefaultCaption : "Adagiomill v1.2.0 -- Title");
    }
    std::filesystem::remove("index.txt");
    EXPECT_EQ(Load(), kDefaults);
    std::filesystem::create_directory("index.txt");
    EXPECT_EQ(Load(), kDefaults);
}

TEST_F(SettingsTest, CaptionFromModuleTitle)
{
    const std::pair<std::string, std::string> kCases[] = {
        {"", ""}, {"Crlf\r\n", "Crlf"}, {std::string(30, 'T'), std::string(24, 'T')}};
    WriteBytes("index.txt", "m.adg\n3\n20\n1\n0\n2");
    for (const auto& [strModule, strTitle] : kCases) {
        WriteBytes("m.adg", strModule);
        EXPECT_EQ(std::get<3>(Load()), "m.adg");
        EXPECT_EQ(m_view.m_strCaption, "Adagiomill v1.2.0 -- " + strTitle);
        EXPECT_EQ(m_state.m_strCaptionPrefix, "Adagiomill v1.2.0 -- ");
    }
}

TEST_F(SettingsTest, SaveReplacesAndRoundTrips)
{
    const std::pair<Settings, std::string> kCases[] = {
        {{-1, 25, 1, "m.adg", 0, 2}, "m.adg\n-1\n25\n1\n0\n2"},
        {{999, 0, 7, "m.adg", 5, 9}, "m.adg\n999\n0\n7\n5\n9"}};
    WriteBytes("index.txt", "old content that is longer than any new one");
    for (const auto& [settings, strFile] : kCases) {
        SaveFrom(settings);
        EXPECT_EQ(ReadBytes("index.txt"), strFile);
        EXPECT_FALSE(std::filesystem::exists("index.txt.new"));
        EXPECT_EQ(Load(), settings);
    }
}

TEST_F(SettingsTest, FailedSaveKeepsOldFile)
{
    std::filesystem::create_directory("index.txt");
    SaveFrom(kDefaults);
    EXPECT_TRUE(std::filesystem::is_directory("index.txt"));
    EXPECT_FALSE(std::filesystem::exists("index.txt.new"));
}

// A stale temporary in the way costs nothing: the file is written in place.
TEST_F(SettingsTest, SaveWritesInPlaceWhenNoTemporaryCanBeMade)
{
    WriteBytes("index.txt", "old");
    std::filesystem::create_directory("index.txt.new");
    SaveFrom(kDefaults);
    EXPECT_EQ(ReadBytes("index.txt"), "miscellaneous.adg\n-1\n10\n2\n1\n0");
    EXPECT_TRUE(std::filesystem::is_directory("index.txt.new"));
}

} // namespace
