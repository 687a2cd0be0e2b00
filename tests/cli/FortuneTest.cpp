// fortune2adg: cookies, their conversion, the command line, and modules read back by the
// program's own quote reader.
#include "CodePage.h"
#include "FortuneConversion.h"
#include "FortuneModule.h"
#include "FortuneTool.h"
#include "MemorySource.h"
#include "QuoteState.h"
#include "RecordingView.h"
#include "ScratchTest.h"
#include "Utf8Text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

namespace {

// The cookies' raw text, with "!" after one that outgrew the bound.
std::vector<std::string> ReadCookies(const std::string& strBytes)
{
    CMemorySource source(strBytes);
    CLineReader reader(source, ELineMode::Text);
    CFortuneFile file(reader);
    std::vector<std::string> cookies;
    for (SFortuneCookie cookie; file.ReadCookie(cookie);) {
        EXPECT_LE(cookie.m_strRaw.size(), CFortuneFile::kMaxCookieBytes);
        cookies.push_back(cookie.m_strRaw + (cookie.m_bTooLong ? "!" : ""));
    }
    return cookies;
}

const CCodePage kWestern, kJapanese(932);
const CCodePage *const kU = nullptr, *const kC = &kWestern, *const kJ = &kJapanese;

SFortuneConversion ConvertBytes(const std::string& strBytes)
{
    CMemorySource source(strBytes);
    CLineReader reader(source, ELineMode::Text);
    return ConvertFortunes(reader, 999, kU);
}

const std::string kX255(255, 'x'), kSpaces(1000, ' '), kEndless(3 << 20, 'x');

// clang-format off
const std::tuple<std::string, std::vector<std::string>> kSplitCases[] = {
    {"", {}},
    {"%\n\n \t\n%\n\na\n\n%\n", {"\na\n\n"}},
    {"a\r\n%\r\nb", {"a\n", "b\n"}},
    {"a\n% \t\r\nb\n%\n", {"a\n", "b\n"}},
    {"a\n%x\n %\n", {"a\n%x\n %\n"}},
    {"a\n%" + kSpaces + "\nb", {"a\n", "b\n"}},
    {"a\n%" + kSpaces + "x\n", {"a\n%" + kSpaces + "x\n"}},
    {kX255 + "\n" + kX255 + kX255 + "\n%\n", {kX255 + "\n" + kX255 + kX255 + "\n"}},
    {std::string("a\0b\n", 4), {std::string("a\0b\n", 4)}},
    {"a\n%\nb\x1A\n%\nc\n", {"a\n", "b\n"}},
    {kEndless + "\n%\nshort", {kEndless.substr(0, CFortuneFile::kMaxCookieBytes) + "!", "short\n"}}};
// clang-format on

TEST(FortuneTest, SplitsCookiesAtPercentLines)
{
    for (const auto& [strBytes, expected] : kSplitCases)
        EXPECT_EQ(ReadCookies(strBytes), expected) << strBytes.substr(0, 40);
}

// Binary junk without the end-of-file byte: bounded cookies, and only printable quotes.
TEST(FortuneTest, BinaryJunk)
{
    std::string strJunk(1 << 20, '\0');
    std::uint32_t nState = 12345;
    for (char& ch : strJunk) {
        nState = nState * 214013 + 2531011;
        ch = static_cast<char>(nState >> 16 == 0x1A ? 0 : nState >> 16);
    }
    EXPECT_GT(ReadCookies(strJunk).size(), 0u);
    for (const SQuote& quote : ConvertBytes(strJunk).m_quotes)
        EXPECT_TRUE(IsPrintableUtf8(quote.m_strText + quote.m_strAuthor));
}

constexpr ESkipReason kOk = ESkipReason::None;
const std::string k198(198, 't'), k99(99, 't'), k48(48, 'a');

std::string Repeat(const std::string& str, int nTimes)
{
    std::string strAll;
    for (int i = 0; i < nTimes; ++i)
        strAll += str;
    return strAll;
}

const std::string kQuotes = "\xE2\x80\x9CQ\xE2\x80\x9D \xE2\x80\x94 caf\xC3\xA9";

// Raw cookie and the module's encoding, then the reason, text and attribution it converts to.
// clang-format off
const std::tuple<std::string, const CCodePage*, ESkipReason, std::string, std::string> kCookieCases[] = {
    {"It's a *__\b\bUN*lucky week\n", kU, kOk, "It's a *UN*lucky week", ""},
    {"\bx\by\n", kU, kOk, "y", ""},
    {"a\t\bb \b\b\n", kC, kOk, "a", ""},
    {"caf\xC3\xA9\b\bx\n", kU, kOk, "cax", ""},
    {"A:\tDoc\n \t centred \t\n", kU, kOk, "A: Doc~centred", ""},
    {"\n\n first\n\nsecond\n\n\n", kU, kOk, "first~~second", ""},
    {"Text\n\n\t-- Tamim Ansary,\n\t   on textbooks\n\n", kU, kOk, "Text", "Tamim Ansary, on textbooks"},
    {"Text\n\t-- Name\nmore\n", kU, kOk, "Text~-- Name~more", ""},
    {"Text\n\t-- Name\n \n\tmore\n", kU, kOk, "Text~-- Name~~more", ""},
    {"a\n-- b\n-- \t c\n", kU, kOk, "a~-- b", "c"},
    {"x -- y\n--z\n", kU, kOk, "x -- y~--z", ""},
    {"%a\n-- b%\n", kU, kOk, "%a", "b%"},
    {kQuotes + "\n", kC, kOk, "\x93Q\x94 \x97 caf\xE9", ""},
    {kQuotes + "\n-- \xE2\x98\x83\n", kU, kOk, kQuotes, "\xE2\x98\x83"},
    {k198 + "\n-- " + k48 + "\n", kU, kOk, k198, k48},
    {Repeat("\xC3\xA9", 198), kC, kOk, std::string(198, '\xE9'), ""},
    {Repeat("\xC3\xA9", 99), kU, kOk, Repeat("\xC3\xA9", 99), ""},
    {Repeat("\xC3\xA9", 100), kU, ESkipReason::TextTooLong, "", ""},
    {k99 + "\n" + k99 + "\n", kC, ESkipReason::TextTooLong, "", ""},
    {"a\n-- " + k48 + "a\n", kU, ESkipReason::AuthorTooLong, "", ""},
    {"a\n  -- b~\n", kU, ESkipReason::Tilde, "", ""},
    {"caf\xE9\n", kU, ESkipReason::BadUtf8, "", ""},
    {"caf\xE9\n", kC, ESkipReason::BadUtf8, "", ""},
    {"\xE2\x98\x83\n", kC, ESkipReason::Unmapped, "", ""},
    {"a\xC2\x80\n", kC, ESkipReason::Control, "", ""}, {"\xC4\x80\n", kC, ESkipReason::Unmapped, "", ""},
    {"\xC3\x83\xC2\xA9\n", kC, ESkipReason::ReadsAsUtf8, "", ""},
    {"\xC3\x97 \xE3\x81\x82\xEF\xBD\xB1\n-- \xC3\x97\n", kJ, kOk, "\x81\x7E \x82\xA0\xB1", "\x81\x7E"},
    {"\xC3\xA9\n", kJ, ESkipReason::Unmapped, "", ""},
    {"\xC2\xA0\xC3\xBF\xC5\xB8\xE2\x80\xA6\n", kC, kOk, "\xA0\xFF\x9F\x85", ""},
    {"\xC0\x80\n", kC, ESkipReason::BadUtf8, "", ""}, {"\xED\xA0\x80\n", kC, ESkipReason::BadUtf8, "", ""},
    {"\xF4\x90\x80\x80\n", kC, ESkipReason::BadUtf8, "", ""}, {"\xE2\x28\xA1\n", kC, ESkipReason::BadUtf8, "", ""},
    {"a\rb\n", kC, ESkipReason::Control, "", ""},
    {"a\rb\n", kU, ESkipReason::Control, "", ""},
    {"a\n-- b\x7F\n", kU, ESkipReason::Control, "", ""},
    {"a\xC2\x85" "b\n", kU, ESkipReason::Control, "", ""},
    {"\b\n \t\n", kU, ESkipReason::Empty, "", ""},
    {"\t\t-- Anonymous\n", kC, ESkipReason::Empty, "", ""},
    {"a\n-- %b\n", kU, ESkipReason::PercentAuthor, "", ""}};
// clang-format on

TEST(FortuneTest, ConvertsCookiesByTheRules)
{
    for (const auto& [strRaw, pCodePage, reason, strText, strAuthor] : kCookieCases) {
        SQuote quote = {"stale", "stale"};
        EXPECT_EQ(ConvertCookie({strRaw, false}, pCodePage, quote), reason) << strRaw;
        EXPECT_EQ(quote.m_strText + "|" + quote.m_strAuthor, strText + "|" + strAuthor) << strRaw;
    }
    SQuote quote;
    EXPECT_EQ(ConvertCookie({"short\n", true}, kU, quote), ESkipReason::TextTooLong);
}

// Command-line arguments are UTF-8 on every system.
TEST(FortuneTest, Titles)
{
    // clang-format off
    const std::tuple<std::string, const CCodePage*, std::string> kDefaults[] = {
        {"/usr/share/games/fortunes/literature", kU, "Literature"},
        {"dir\\wisdom.a.txt", kU, "Wisdom.a"}, {"dir/", kU, "Fortunes"},
        {"caf\xE9.txt", kU, "Fortunes"}, {"caf\xC3\xA9.txt", kC, "Caf\xE9"},
        {std::string(30, 'n'), kC, "N" + std::string(22, 'n')},
        {Repeat("\xC3\xA9", 12), kU, Repeat("\xC3\xA9", 11)}};
    // clang-format on
    for (const auto& [strPath, pCodePage, strTitle] : kDefaults)
        EXPECT_EQ(DefaultTitle(strPath, pCodePage), strTitle) << strPath;
    // clang-format off
    const std::tuple<std::string, const CCodePage*, bool> kGiven[] = {
        {std::string(23, 'T'), kU, true}, {std::string(24, 'T'), kC, false},
        {Repeat("\xC3\xA9", 23), kC, true}, {Repeat("\xC3\xA9", 12), kU, false},
        {"caf\xE9", kC, false}, {"caf\xC3\xA9", kC, true}, {"\x81", kC, false},
        {"a\tb", kU, false}, {"\xC3\x83\xC2\xA9", kC, false}};
    // clang-format on
    for (const auto& [strGiven, pCodePage, bAccepted] : kGiven) {
        std::string strTitle;
        EXPECT_EQ(MakeTitle(strGiven, pCodePage, strTitle), bAccepted) << strGiven;
    }
}

class FortuneFileTest : public CScratchTest {
protected:
    int Run(const std::vector<std::string>& args)
    {
        const SFortuneRun run = RunFortune2Adg(args);
        m_strOut = run.strOut;
        m_strErr = run.strErr;
        return run.nExit;
    }

    // The quote window's own reader must show every quote as it was converted.
    void ExpectReadBack(const SFortuneConversion& conversion)
    {
        const std::string strPath =
            Write("read-back.adg", ModuleText("Read back", conversion.m_quotes));
        CQuoteState state;
        CRecordingView view;
        state.m_strModulePath = strPath;
        for (std::size_t i = 0; i < conversion.m_quotes.size(); ++i) {
            state.m_nCurrentQuote = static_cast<int>(i);
            state.m_bHoldQuote = true;
            state.m_bFirstShow = false;
            state.m_nOrder = ORDER_SEQUENTIAL;
            state.ShowQuoteText(view);
            std::string strText = conversion.m_quotes[i].m_strText;
            for (std::size_t nTilde; (nTilde = strText.find('~')) != std::string::npos;)
                strText.replace(nTilde, 1, "\r\n");
            ASSERT_EQ(view.m_strText, strText) << i;
            const std::string& strAuthor = conversion.m_quotes[i].m_strAuthor;
            ASSERT_EQ(view.m_strAuthor, strAuthor.empty() ? " " : strAuthor) << i;
        }
        EXPECT_EQ(state.m_nQuoteCount, static_cast<int>(conversion.m_quotes.size()));
    }

    std::string m_strOut, m_strErr;
};

TEST_F(FortuneFileTest, CommandLine)
{
    const std::string kGood = Write("good", "one\n");
    // Arguments, exit status, whether a module or help went out, and the lines on stderr.
    // clang-format off
    const std::tuple<std::vector<std::string>, int, bool, long> kCases[] = {
        {{"--help"}, FORTUNE_EXIT_WRITTEN, true, 0},
        {{}, FORTUNE_EXIT_FAILED, false, 2},
        {{kGood, kGood}, FORTUNE_EXIT_FAILED, false, 2},
        {{"--max", "0", kGood}, FORTUNE_EXIT_FAILED, false, 2},
        {{"--max=1000", kGood}, FORTUNE_EXIT_FAILED, false, 2},
        {{"--encoding", "latin1", kGood}, FORTUNE_EXIT_FAILED, false, 2},
        {{"--encoding=cp12345", kGood}, FORTUNE_EXIT_FAILED, false, 1},
        {{"--encoding", "Windows-1251", kGood}, FORTUNE_EXIT_WRITTEN, true, 1},
        {{kGood, "--max"}, FORTUNE_EXIT_FAILED, false, 2},
        {{"--quiet", kGood}, FORTUNE_EXIT_FAILED, false, 2},
        {{"--title", std::string(24, 'T'), kGood}, FORTUNE_EXIT_FAILED, false, 1},
        {{m_dir.string()}, FORTUNE_EXIT_FAILED, false, 1},
        {{Write("empty", "")}, FORTUNE_EXIT_NOTHING, false, 1},
        {{Write("bad", "\xFF\n%\n")}, FORTUNE_EXIT_NOTHING, false, 1},
        {{"--max=1", kGood}, FORTUNE_EXIT_WRITTEN, true, 1}};
    // clang-format on
    for (const auto& [args, nExit, bOutput, nErrLines] : kCases) {
        const std::string strArgs = ::testing::PrintToString(args);
        EXPECT_EQ(Run(args), nExit) << strArgs;
        EXPECT_EQ(!m_strOut.empty(), bOutput) << strArgs;
        EXPECT_EQ(std::count(m_strErr.begin(), m_strErr.end(), '\n'), nErrLines) << strArgs;
    }
    const std::string kMixed = Write("wise.txt", "one\n\t-- Me\n%\n~\n%\n\b\n%\nthree\n%\nfour\n");
    ASSERT_EQ(Run({"--title", "Caf\xC3\xA9", "--max", "2", "--encoding=cp1252", kMixed}),
              FORTUNE_EXIT_WRITTEN);
    EXPECT_EQ(m_strOut, "Caf\xE9\r\n2\r\n%\r\none\r\nMe\r\n%\r\nthree\r\n%\r\n");
    EXPECT_EQ(m_strErr, "fortune2adg: wrote 2 quotes from wise.txt; skipped 3 cookies: 1 with a "
                        "\"~\", 1 empty, 1 beyond --max\n");
    // A first text that begins with "%" needs a separator of its own, a quote without
    // attribution a "%" line in its place. UTF-8 by default.
    ASSERT_EQ(Run({Write("p", "%first\n-- m\xC3\xA9\n%\nsecond\n")}), FORTUNE_EXIT_WRITTEN);
    EXPECT_EQ(m_strOut, "P\r\n2\r\n%\r\n%\r\n%first\r\nm\xC3\xA9\r\n%\r\nsecond\r\n%\r\n");
}

TEST_F(FortuneFileTest, ReadBackThroughTheQuoteWindow)
{
    ExpectReadBack(ConvertBytes("%first\n%\nno attribution\n%\n%after it\n%\n" + k198 + "\n-- " +
                                k48 +
                                "\n%\n%\n\xE2\x82\xAC \xC3\xBF\n  -- \xE2\x80\x9Cq\xE2\x80\x9D\n%\n"
                                "a\n\nb\n"));
}

} // namespace
