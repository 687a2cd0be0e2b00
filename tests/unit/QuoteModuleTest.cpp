#include "QuoteTestSupport.h"

namespace {

const char kInvalid[] =
    "Invalid quote module selected. Please click on Options and load a valid module.";
const std::string kSample = "Sample sayings\n3\n%\n"
                            "First sample quote,~on two lines.\nFirst Author\n%\n"
                            "Second quote.\nSecond Author\n%\nThird quote.\n%\n";
const std::string k199(199, 'x'), kShifted = "T\n2\n%\n" + k199 + "\na0\n%\nq1\na1\n";

class QuoteModuleTest : public CScratchDirTest {
protected:
    // A repaint at nIndex: shows that quote without moving on.
    void ShowAt(const std::string& strModule, int nIndex)
    {
        WriteBytes("test.adg", strModule);
        m_state.m_strModulePath = "test.adg";
        m_state.m_nCurrentQuote = nIndex;
        m_state.m_bHoldQuote = true;
        m_state.ShowQuoteText(m_view);
    }
    void Step(bool bNext)
    {
        auto show = [this] { m_state.ShowQuoteText(m_view); };
        bNext ? m_state.StepNext(show) : m_state.StepPrevious(show);
    }
};

// Modules shown at index 0; an invalid header leaves the count and index alone.
TEST_F(QuoteModuleTest, HeaderValidation)
{
    const std::pair<std::string, bool> kCases[] = {{std::string(23, 't') + "\n1\n%\n", true},
                                                   {std::string(24, 't') + "\n1\n%\n", false},
                                                   {"T\n999\n%\n", true},
                                                   {"T\n1000\n%\n", false},
                                                   {"T\n7x\n%\n", true},
                                                   {"T\n 7\n%\n", false},
                                                   {"T\n1\nq0\n", false},
                                                   {"T\n1\n%% header\n", true},
                                                   {"", false},
                                                   {"T", false},
                                                   {std::string(3000000, 't'), false}};
    for (const auto& [strHeader, bValid] : kCases) {
        m_state.m_nQuoteCount = 55;
        ShowAt(strHeader + (strHeader.empty() ? "" : "q0\na0\n"), 0);
        EXPECT_EQ(m_view.m_strText, bValid ? "q0" : kInvalid) << strHeader.substr(0, 40);
        EXPECT_EQ(m_view.m_strAuthor, bValid ? "a0" : "");
        EXPECT_EQ(m_state.m_nCurrentQuote, 0);
        EXPECT_EQ(m_state.m_nQuoteCount == 55, !bValid);
    }
    EXPECT_STREQ(m_state.m_szTitle, std::string(24, 't').c_str());
    ShowAt("My module\n7x\n%\n", 0);
    EXPECT_EQ(m_state.m_nQuoteCount, 7);
    EXPECT_STREQ(m_state.m_szTitle, "My module");
}

struct SWalkCase {
    std::string strModule;
    int nIndex;
    std::string strText, strAuthor;
};

TEST_F(QuoteModuleTest, Walk)
{
    const SWalkCase kCases[] = {
        {kSample, 0, "First sample quote,\r\non two lines.", "First Author"},
        {kSample, 1, "Second quote.", "Second Author"},
        {kSample, 2, "Third quote.", " "},
        {kSample, 3, "", ""},
        {kSample, 2000000000, "", ""},
        {"T\n2\n%\nq0\na0\nq1\na1\n", 1, "q1", "a1"},
        {"T\n2\n%\n%\n%text\na0\n", 0, "%text", "a0"},
        {"T\n1\n%\nq0\n%%\n", 0, "q0", " %"},
        {"T\n2\n%\n\na0\nq1\na1\n", 0, "", "a0"},
        {"T\n1\n%\n~a~~b~\nx~y\n", 0, "\r\na\r\n\r\nb\r\n", "x~y"},
        {kShifted, 0, k199, ""},
        {kShifted, 1, "a0", " "},
        {"T\n1\n%\n" + k199 + "abcdef\na0\n", 0, k199, "abcdef"},
        {"T\n2\n%\nq0\n" + std::string(49, 'a') + "\n%\nq1\na1\n", 1, "", " "},
        {"T\r\n2\r\n%\r\nq0\r\na0\r\n%\r\nq1\r\na1\r\n", 1, "q1", "a1"},
        {"T\n2\n%\nq0\na0\n\x1a\nq1\na1\n", 1, "", ""},
        {"T\n3\n%\n" + std::string(3000000, 'z'), 2, std::string(199, 'z'), std::string(49, 'z')},
    };
    for (const SWalkCase& test : kCases) {
        ShowAt(test.strModule, test.nIndex);
        EXPECT_EQ(m_view.m_strText, test.strText) << test.strModule.substr(0, 40);
        EXPECT_EQ(m_view.m_strAuthor, test.strAuthor) << test.strModule.substr(0, 40);
        EXPECT_EQ(m_state.m_nCurrentQuote, test.nIndex);
        EXPECT_TRUE(m_state.m_bHoldQuote && !m_state.m_bFirstShow);
    }
}

// At a negative index no quote is read: the header separator and the last attribution show.
TEST_F(QuoteModuleTest, NegativeIndexReadsNoQuote)
{
    ShowAt("T\n0\n%sep\nq0\na0\n", 0);
    Step(false);
    EXPECT_EQ(m_state.m_nCurrentQuote, -1);
    EXPECT_EQ(m_view.m_strText + "|" + m_view.m_strAuthor, "%sep|a0");
    Step(true);
    EXPECT_EQ(m_view.m_strText, "q0");
}

TEST_F(QuoteModuleTest, ModuleGoneAfterSuccessOrADirectory)
{
    for (bool bDirectory : {false, true}) {
        ShowAt(kSample, 1);
        m_state.m_nOrder = ORDER_RANDOM;
        m_state.m_bFirstShow = true;
        std::filesystem::remove("test.adg");
        if (bDirectory)
            std::filesystem::create_directory("test.adg");
        Step(true);
        EXPECT_EQ(m_view.m_strText + "|" + m_view.m_strAuthor, "Second quote.|Second Author");
        EXPECT_STREQ(m_state.m_szTitle, "Sample sayings");
        EXPECT_EQ(m_view.m_strCaption, "Adagiomill v1.2.0 -- Miscellaneous");
        EXPECT_EQ(m_state.m_strModulePath, "miscellaneous.adg");
        EXPECT_EQ(m_state.m_nCurrentQuote, -1);
        EXPECT_EQ(m_state.m_nOrder, ORDER_SEQUENTIAL);
        EXPECT_FALSE(m_state.m_bFirstShow);
        WriteBytes("miscellaneous.adg", "Miscellaneous\n1\n%\nDefault quote\nSomebody\n");
        Step(true);
        EXPECT_EQ(m_view.m_strText, "Default quote");
        std::filesystem::remove_all("test.adg");
    }
}

} // namespace
