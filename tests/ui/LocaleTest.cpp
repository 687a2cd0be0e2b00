// Modules and names in the legacy code page of the system they were made on. Each scenario runs
// in its own CTest entry with LC_ALL set, and skips in any other locale.
#include "ProgramTest.h"

#include <filesystem>

namespace {

namespace fs = std::filesystem;

std::string Encoded(UINT nCodePage, const std::string& strUtf8)
{
    const std::wstring strWide = Wide(strUtf8);
    const int nChars = static_cast<int>(strWide.size());
    const int nBytes =
        ::WideCharToMultiByte(nCodePage, 0, strWide.data(), nChars, nullptr, 0, nullptr, nullptr);
    std::string strBytes(static_cast<std::size_t>(nBytes), '\0');
    ::WideCharToMultiByte(nCodePage, 0, strWide.data(), nChars, strBytes.data(), nBytes, nullptr,
                          nullptr);
    return strBytes;
}

struct SLocaleRow {
    const char* pszName;
    UINT nCodePage;
    LANGID nLanguage;
    std::string strModule; // the file's name
    std::string strTitle, strText, strAuthor;
};

// "×" is 81 7E in Shift-JIS: its second byte is a "~", the one after it a line break.
const SLocaleRow kLocaleRows[] = {
    {"Japanese", 932, 0x0411, u8"格言.adg", u8"ことわざ", u8"急がば回れ×~カナ", u8"日本"},
    {"Russian", 1251, 0x0419, u8"Пословицы.adg", u8"Пословицы", u8"Тише едешь — дальше будешь.",
     u8"Народная мудрость"}};

class CLegacyCodePageTest : public CProgramTest, public testing::WithParamInterface<SLocaleRow> {};

// Shown exactly; loaded by its name, kept in index.txt in the code page's bytes and found again
// at the next start.
TEST_P(CLegacyCodePageTest, ModuleShownAndNameKeptInTheCodePage)
{
    const SLocaleRow& row = GetParam();
    if (!IsLocale(row.nCodePage, row.nLanguage))
        GTEST_SKIP() << "runs in its own locale";
    const std::string strModule =
        row.strTitle + "\r\n1\r\n%\r\n" + row.strText + "\r\n" + row.strAuthor;
    ASSERT_TRUE(Write("index.txt", SavedText({}) + "\n") &&
                Write(row.strModule, Encoded(row.nCodePage, strModule)));
    HWND hQuote = StartProgram();
    ASSERT_NE(hQuote, nullptr);
    const HWND hOptions = OpenOptions(hQuote);
    ASSERT_NE(hOptions, nullptr);
    ChooseModule(hOptions, PathOf(row.strModule), row.strTitle);
    ASSERT_TRUE(EndOptions(hQuote, hOptions, IDOK));
    std::string strText = row.strText;
    for (std::size_t nTilde; (nTilde = strText.find('~')) != std::string::npos;)
        strText.replace(nTilde, 1, "\r\n");
    EXPECT_EQ(Shown(hQuote), SDisplay(strText, row.strAuthor));
    CloseProgram(hQuote);
    EXPECT_EQ(Saved(), SavedText({Encoded(row.nCodePage, row.strModule), 0}));
    hQuote = StartProgram();
    ASSERT_NE(hQuote, nullptr);
    EXPECT_EQ(WindowText(hQuote), kCaptionPrefix + row.strTitle);
    CloseProgram(hQuote);
}

INSTANTIATE_TEST_SUITE_P(Locales, CLegacyCodePageTest, testing::ValuesIn(kLocaleRows),
                         [](const auto& info) { return std::string(info.param.pszName); });

using CUtf8CodePageTest = CProgramTest;

// A copy of the program with the UTF-8 code page, on a Western system: an old Windows-1252
// module shows as its author saw it, and a name that code page lacks is kept in UTF-8.
TEST_F(CUtf8CodePageTest, AnsiModuleShownAndGreekNameKeptInUtf8)
{
    if (!IsLocale(1252, 0x0407))
        GTEST_SKIP() << "runs under LC_ALL=de_DE.UTF-8";
    ASSERT_TRUE(fs::remove(fs::u8path(PathOf("Adagiomill.exe"))) &&
                fs::copy_file(fs::u8path(ADAGIO_UTF8_EXE), fs::u8path(PathOf("Adagiomill.exe"))));
    Prepare({"ansi.adg", 0}, "Proverbes d'\xE9t\xE9\r\n1\r\n%\r\nOui.\r\nFran\xE7ois\r\n");
    ASSERT_TRUE(Write(u8"Ελληνικά.adg", ModuleText("Greek", 1, 1)));
    const HWND hQuote = StartProgram();
    ASSERT_NE(hQuote, nullptr);
    EXPECT_EQ(WindowText(hQuote), kCaptionPrefix + u8"Proverbes d'été");
    EXPECT_EQ(Shown(hQuote), SDisplay("Oui.", u8"François"));
    const HWND hOptions = OpenOptions(hQuote);
    ASSERT_NE(hOptions, nullptr);
    ChooseModule(hOptions, PathOf(u8"Ελληνικά.adg"), "Greek");
    ASSERT_TRUE(EndOptions(hQuote, hOptions, IDOK));
    CloseProgram(hQuote);
    EXPECT_EQ(Saved(), SavedText({u8"Ελληνικά.adg", 0}));
}

} // namespace
