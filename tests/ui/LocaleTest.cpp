// Modules and names in the legacy code page of the system they come from, each scenario in its
// Windows locale, which Wine takes from LC_ALL: the plain run's, or a CTest entry's own.
#include "ProgramTest.h"

#include <filesystem>

namespace {

namespace fs = std::filesystem;

struct SCodePageRow {
    const char* pszName;
    bool bUtf8CodePage; // the copy of the program whose manifest asks for UTF-8
    UINT nCodePage;
    LANGID nLanguage;
    const char* pszFixture;         // the module, in the code page
    std::string strFile, strStored; // its name, and as index.txt keeps it
    std::string strTitle, strText, strAuthor;
};

// A name the code page lacks is kept in UTF-8. "表" is 95 5C in Shift-JIS, a backslash second,
// and "×" 81 7E, a "~" second; the "~" after it in the file is a line break.
const SCodePageRow kRows[] = {
    {"Western", false, 1252, 0x0409, "windows-1252.adg", u8"Ελληνικά.adg", u8"Ελληνικά.adg",
     u8"Proverbes d'été", "Oui.", u8"François"},
    {"Utf8CodePage", true, 1252, 0x0409, "windows-1252.adg", u8"Ελληνικά.adg", u8"Ελληνικά.adg",
     u8"Proverbes d'été", "Oui.", u8"François"},
    {"Japanese", false, 932, 0x0411, "shift-jis.adg", u8"格言表.adg",
     "\x8A\x69\x8C\xBE\x95\x5C.adg", u8"ことわざ", u8"急がば回れ×\r\nカナ", u8"日本"},
    {"Russian", false, 1251, 0x0419, "windows-1251.adg", u8"Пословицы.adg",
     "\xCF\xEE\xF1\xEB\xEE\xE2\xE8\xF6\xFB.adg", u8"Пословицы", u8"Тише едешь — дальше будешь.",
     u8"Народная мудрость"}};

class CCodePageTest : public CProgramTest, public testing::WithParamInterface<SCodePageRow> {};

// Shown as its author saw it, under the UTF-8 code page too; loaded, kept by the stored-text rule.
TEST_P(CCodePageTest, ModuleShownAndNameKept)
{
    const SCodePageRow& row = GetParam();
    if (::GetACP() != row.nCodePage || ::GetUserDefaultUILanguage() != row.nLanguage)
        GTEST_SKIP() << "runs in its own locale";
    const fs::path exe = fs::u8path(PathOf("Adagiomill.exe"));
    if (row.bUtf8CodePage) {
        ASSERT_TRUE(fs::remove(exe) && fs::copy_file(fs::u8path(ADAGIO_UTF8_EXE), exe));
    }
    ASSERT_TRUE(Write("index.txt", SavedText({}) + "\n") &&
                fs::copy_file(fs::u8path(ADAGIO_FIXTURES) / row.pszFixture,
                              fs::u8path(PathOf(row.strFile))));
    const HWND hQuote = StartProgram();
    ASSERT_NE(hQuote, nullptr);
    const HWND hOptions = OpenOptions(hQuote);
    ASSERT_NE(hOptions, nullptr);
    EXPECT_TRUE(::IsWindowUnicode(hOptions));
    ChooseModule(hOptions, PathOf(row.strFile), row.strTitle);
    ASSERT_TRUE(EndOptions(hQuote, hOptions, IDOK));
    EXPECT_EQ(Shown(hQuote), SDisplay(row.strText, row.strAuthor));
    CloseProgram(hQuote);
    EXPECT_EQ(Saved(), SavedText({row.strStored, 0}));
}

INSTANTIATE_TEST_SUITE_P(CodePages, CCodePageTest, testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.pszName); });

} // namespace
