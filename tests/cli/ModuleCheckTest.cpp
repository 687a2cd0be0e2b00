// The checker against hand-made broken modules, each message word for word, and against
// what the program's own display code shows for the same files.
#include "ModuleCheck.h"
#include "CodePage.h"
#include "QuotePreview.h"
#include "ScratchTest.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

namespace {

const std::string kFixtures = ADAGIO_CLI_FIXTURES "/";
const CCodePage kWestern, kJapanese(932);

std::vector<std::string> Messages(const std::string& strName, const CCodePage& codePage = kWestern)
{
    const SModuleCheck check = CheckModule(kFixtures + strName, codePage);
    EXPECT_TRUE(check.bReadable) << strName;
    std::vector<std::string> messages;
    for (const SDiagnostic& diagnostic : check.diagnostics.Sorted())
        messages.push_back(FormatDiagnostic(strName, diagnostic));
    return messages;
}

struct SFixture {
    const char* pszName;
    std::vector<std::string> messages;
    const CCodePage* pCodePage = &kWestern;
};

const SFixture kFixtureMessages[] = {
    {"clean-layouts.adg", {}},
    {"lf-line-ends.adg", {}},
    {"ctrl-z-last.adg", {}},
    {"title-24-characters.adg",
     {"title-24-characters.adg:1: error: the title is 24 characters long, over the limit of 23: it "
      "is read whole, but its line end is read as the number of quotes, which is then empty",
      "title-24-characters.adg:1: error: the module will not load: the number of quotes must "
      "begin with a digit, but it is read as the end of line 1"}},
    {"title-too-long.adg",
     {"title-too-long.adg:1: error: the title is 36 characters long, over the limit of 23: only "
      "its first 24 characters are read (room for 23 and a line end), and the rest is read as "
      "the number of quotes",
      "title-too-long.adg:1: error: the module will not load: the number of quotes must begin "
      "with a digit, but it is read as \" the\""}},
    {"count-1000.adg",
     {"count-1000.adg:2: error: the number of quotes must be 0 to 999, at most 3 digits: it is "
      "read whole, but its line end is read as the header's \"%\" line, which is then empty",
      "count-1000.adg:2: error: the module will not load: the header's \"%\" line must begin "
      "with \"%\", but it is read as the end of line 2"}},
    {"count-in-words.adg",
     {"count-in-words.adg:2: error: the number of quotes is 9 characters long, over the limit of "
      "3: only its first 4 characters are read (room for 3 and a line end), and the rest is read "
      "as the header's \"%\" line",
      "count-in-words.adg:2: error: the module will not load: the header's \"%\" line must begin "
      "with \"%\", but it is read as \"uotes\""}},
    {"count-trailing-text.adg",
     {"count-trailing-text.adg:2: warning: \"1x\" is read as the number 1: the text after the "
      "digits is ignored"}},
    {"count-not-a-number.adg",
     {"count-not-a-number.adg:2: error: the module will not load: the number of quotes must "
      "begin with a digit, but it is read as \"one\""}},
    {"empty.adg", {"empty.adg: error: the module will not load: the file is empty"}},
    {"header-without-separator.adg",
     {"header-without-separator.adg:3: error: the module will not load: the header's \"%\" line "
      "must begin with \"%\", but it is read as \"-\""}},
    {"over-long-fields.adg",
     {"over-long-fields.adg:2: error: the module declares 3 quotes, but 6 are present: quotes 4 "
      "to 6 are never shown, likely because line 4 shifts every read after it",
      "over-long-fields.adg:4: error: quote 1's text is 199 characters long, over the limit of "
      "198: it is read whole, but its line end is read as quote 1's attribution, which is then "
      "empty",
      "over-long-fields.adg:7: error: quote 3's text is 250 characters long, over the limit of "
      "198: only its first 199 characters are read (room for 198 and a line end), and the rest "
      "is read as quote 3's attribution",
      "over-long-fields.adg:11: error: quote 5's attribution is 49 characters long, over the "
      "limit of 48: it is read whole, but its line end is read as quote 6's text, which is then "
      "empty"}},
    {"percent-text-too-long.adg",
     {"percent-text-too-long.adg:2: error: the module declares 1 quote, but 2 are present: quote "
      "2 is never shown, likely because line 5 shifts every read after it",
      "percent-text-too-long.adg:5: error: quote 1's text is 211 characters long, over the limit "
      "of 198: only its first 199 characters are read (room for 198 and a line end), and the "
      "rest is read as quote 1's attribution"}},
    {"two-separators.adg",
     {"two-separators.adg:2: error: the module declares 2 quotes, but 3 are present: quote 3 is "
      "never shown, likely because line 7 shifts every read after it",
      "two-separators.adg:7: error: two \"%\" lines in a row: the second is read as quote 2's "
      "text"}},
    {"separator-with-words.adg",
     {"separator-with-words.adg:6: warning: this line begins with \"%\", so it is passed over as "
      "the \"%\" line before quote 2: its text is never shown"}},
    {"declared-more.adg",
     {"declared-more.adg:2: error: the module declares 5 quotes, but 2 are present: quotes 3 to "
      "5 show two empty fields"}},
    {"declared-fewer.adg",
     {"declared-fewer.adg:2: error: the module declares 1 quote, but 3 are present: quotes 2 and "
      "3 are never shown"}},
    {"declared-zero.adg",
     {"declared-zero.adg:2: error: the module declares 0 quotes, but 1 is present: only quote 1 "
      "is shown"}},
    {"no-quotes.adg",
     {"no-quotes.adg:2: error: the module has no quotes: the window shows two empty fields"}},
    {"ctrl-z-early.adg",
     {"ctrl-z-early.adg:2: error: the module declares 2 quotes, but 1 is present: quote 2 shows "
      "two empty fields",
      "ctrl-z-early.adg:6: error: column 1: a Ctrl-Z byte (0x1A) ends the file here: the 11 "
      "bytes after it are never read"}},
    {"blank-lines.adg",
     {"blank-lines.adg:2: error: the module declares 3 quotes, but 4 are present: quote 4 is "
      "never shown, likely because line 7 shifts every read after it",
      "blank-lines.adg:5: error: a blank line is read as quote 1's attribution: for a quote "
      "without attribution, write \"%\" on this line",
      "blank-lines.adg:7: error: a blank line is read as quote 2's text: the quote shows empty, "
      "and the next line is read as its attribution",
      "blank-lines.adg:14: warning: a blank line at the end of the file"}},
    {"stray-bytes.adg",
     {"stray-bytes.adg:4: warning: column 4: a CR without an LF after it is no line end: it "
      "stays in the text",
      "stray-bytes.adg:5: warning: column 2: a tab is a control character, not printable text",
      "stray-bytes.adg:7: warning: column 7: byte 0x81 is no character in Windows-1252",
      "stray-bytes.adg:7: warning: column 7: quote 2's text is not UTF-8 from here on, so all of "
      "it shows in Windows-1252, unlike the module's UTF-8 fields",
      "stray-bytes.adg:8: warning: column 5: byte 0x07 is a control character, not printable "
      "text"}},
    {"utf8-clean.adg", {}},
    {"shift-jis.adg", {}, &kJapanese},
    {"shift-jis-cut.adg",
     {"shift-jis-cut.adg:4: error: quote 1's text is 200 bytes (101 characters) long, "
      "over the limit of 198 bytes: only its first 199 bytes are read (room for 198 "
      "and a line end), and the rest is read as quote 1's attribution",
      "shift-jis-cut.adg:4: warning: column 199: the limit cuts a character in two: "
      "quote 1's text shows without it"},
     &kJapanese},
    {"utf8-cut-and-mixed.adg",
     {"utf8-cut-and-mixed.adg:4: error: quote 1's text is 204 bytes (104 characters) long, over "
      "the limit of 198 bytes: only its first 199 bytes are read (room for 198 and a line end), "
      "and the rest is read as quote 1's attribution",
      "utf8-cut-and-mixed.adg:4: warning: column 199: the limit cuts a character in two: quote "
      "1's text shows without it",
      "utf8-cut-and-mixed.adg:4: warning: column 200: quote 1's attribution is not UTF-8 from "
      "here on, so all of it shows in Windows-1252, unlike the module's UTF-8 fields",
      "utf8-cut-and-mixed.adg:6: warning: column 4: quote 2's text is not UTF-8 from here on, so "
      "all of it shows in Windows-1252, unlike the module's UTF-8 fields"}},
};

TEST(ModuleCheckTest, EachFixtureGetsItsMessages)
{
    for (const SFixture& fixture : kFixtureMessages)
        EXPECT_EQ(Messages(fixture.pszName, *fixture.pCodePage), fixture.messages)
            << fixture.pszName;
}

// What the messages say the window shows, as the program's display code shows it, in UTF-8. On
// a Japanese system a "~" that is the second byte of a character is that character, one after a
// character whose second byte has a lead byte's value a line break, and a lead byte the limit
// cuts off is dropped.
TEST(ModuleCheckTest, PreviewShowsWhatTheMessagesDescribe)
{
    const std::string strX199(199, 'x'), strY199(199, 'y'), strY49(49, 'y');
    std::string strE99, strA98;
    for (int i = 0; i < 99; ++i) {
        strE99 += "\xC3\xA9";
        strA98 += i < 98 ? "あ" : "";
    }
    const struct {
        const char* pszName;
        int nQuote;
        SQuotePreview expected;
        const CCodePage* pCodePage = &kWestern;
    } kCases[] = {
        {"over-long-fields.adg", 1, {strX199, ""}},
        {"over-long-fields.adg", 2, {"A", " "}},
        {"over-long-fields.adg", 3, {strY199, strY49}},
        {"two-separators.adg", 2, {"%", "Two"}},
        {"blank-lines.adg", 2, {"", "Two"}},
        {"clean-layouts.adg", 2, {"No attribution: the next separator stands in", " "}},
        {"declared-more.adg", 4, {"", ""}},
        {"stray-bytes.adg", 1, {"One\rtwo", "A\tB"}},
        {"stray-bytes.adg", 2, {"Caf\xC3\x83\xC2\xA9 \xC2\x81", "Bell\a"}},
        {"utf8-cut-and-mixed.adg",
         1,
         {strE99, "\xC2\xA9"
                  "Anon"}},
        {"header-without-separator.adg",
         1,
         {"Invalid quote module selected. Please click on Options and load a valid module.", ""}},
        {"shift-jis.adg", 1, {"にさんがろく 2×3=6", "ｱﾀﾞｷﾞｵ"}, &kJapanese},
        {"shift-jis.adg", 2, {"期\r\n×", " "}, &kJapanese},
        {"shift-jis-cut.adg", 1, {strA98 + "ab", "A"}, &kJapanese},
    };
    for (const auto& test : kCases) {
        const SQuotePreview preview =
            PreviewQuote(kFixtures + test.pszName, test.nQuote, *test.pCodePage);
        EXPECT_EQ(preview.strText, test.expected.strText) << test.pszName << " " << test.nQuote;
        EXPECT_EQ(preview.strAuthor, test.expected.strAuthor) << test.pszName << " " << test.nQuote;
    }
}

using CHostileModuleTest = CScratchTest;

// An endless line is measured whole, a problem on every line keeps the first problems and
// counts the rest, and a folder or a missing file gets no report.
TEST_F(CHostileModuleTest, NoFileStopsTheCheck)
{
    const SModuleCheck endless =
        CheckModule(Write("line.adg", std::string(5'000'000, 'z')), kWestern);
    ASSERT_EQ(endless.diagnostics.Sorted().size(), 2u);
    EXPECT_EQ(
        endless.diagnostics.Sorted()[0].strMessage.rfind("the title is 5000000 characters long", 0),
        0u);

    std::string strModule = "Separators\n2\n%\n";
    for (int i = 0; i < 100'000; ++i)
        strModule += "%\n";
    // Each quote reads three "%" lines, the second of them an error; one more for the count.
    const CDiagnostics separators =
        CheckModule(Write("separators.adg", strModule), kWestern).diagnostics;
    EXPECT_EQ(separators.Errors(), 33'334u);
    EXPECT_EQ(separators.Sorted().size(), CDiagnostics::kMaxKept);
    EXPECT_EQ(separators.Dropped(), 33'334u - CDiagnostics::kMaxKept);

    EXPECT_FALSE(CheckModule(m_dir.string(), kWestern).bReadable);
    EXPECT_FALSE(CheckModule((m_dir / "missing.adg").string(), kWestern).bReadable);
}

} // namespace
