// The rule for every name the program stores: in the legacy code page when that holds the name
// and its bytes there do not also read as UTF-8, in UTF-8 otherwise. A stored name is found in
// the working directory by the system's own name for it, never by bytes of two encodings.
#include "QuoteState.h"
#include "RecordingView.h"
#include "ScratchTest.h"
#ifdef _WIN32
#include "win32/StoredText.h"
#endif

namespace {

namespace fs = std::filesystem;

struct SStoredRow {
    unsigned nCodePage;
    const wchar_t* pszName;
    std::string strStored; // empty: no stored text holds the name
    bool bUtf8;
};

// Legacy bytes that read as UTF-8 ("\u00C3\u00A9" in 1252) would come back as another name.
// clang-format off
const SStoredRow kStoredRows[] = {
    {1252, L"miscellaneous.adg", "miscellaneous.adg", false},
    {1252, L"Caf\u00E9.adg", "Caf\xE9.adg", false},
    {1252, L"\u00C3\u00A9.adg", "\xC3\x83\xC2\xA9.adg", true},
    {1252, L"\u0395\u03BB\u03BB\u03B7\u03BD\u03B9\u03BA\u03AC.adg",
     "\xCE\x95\xCE\xBB\xCE\xBB\xCE\xB7\xCE\xBD\xCE\xB9\xCE\xBA\xCE\xAC.adg", true},
    {1252, L"\u0100b", "\xC4\x80" "b", true},
    {1252, L"\u0141ukasz", "\xC5\x81ukasz", true},
    {1250, L"\u0141ukasz", "\xA3ukasz", false},
    {1251, L"\u041F\u0440\u0438\u0432\u0435\u0442", "\xCF\xF0\xE8\xE2\xE5\xF2", false},
    {932, L"\u6F22\u5B57.adg", "\x8A\xBF\x8E\x9A.adg", false},
    {932, L"\u8868.adg", "\x95\x5C.adg", false},
    {1252, L"\xD800x", "", false}};
// clang-format on

// Read back, the bytes are UTF-8 exactly when they are not the legacy code page's; only Windows
// has the converters for the way there.
TEST(StoredTextTest, LegacyWhereItHoldsTheNameUtf8Otherwise)
{
    for (const SStoredRow& row : kStoredRows) {
        EXPECT_EQ(DecideFieldEncoding(row.strStored.data(), row.strStored.size(), false).bUtf8,
                  row.bUtf8)
            << row.strStored;
#ifdef _WIN32
        const CLegacyCodePage codePage(row.nCodePage);
        std::string strStored = "left over";
        EXPECT_EQ(StoredFromWide(row.pszName, codePage, strStored), !row.strStored.empty());
        EXPECT_EQ(strStored, row.strStored);
        if (!row.strStored.empty()) {
            EXPECT_EQ(WideFromStored(row.strStored, codePage), row.pszName) << row.strStored;
        }
#endif
    }
}

struct SPlaceRow {
    unsigned nCodePage;
    const wchar_t* pszFolder;
    std::string strFolder;
    const wchar_t* pszModule;
    std::string strModule;
};

// A folder the code page cannot spell with a module it can, and a name whose second byte is a
// backslash.
const SPlaceRow kPlaceRows[] = {
    {1252, L"\u0395\u03BB\u03BB", "\xCE\x95\xCE\xBB\xCE\xBB", L"Caf\u00E9.adg", "Caf\xE9.adg"},
    {932, L"plain", "plain", L"\u8868.adg", "\x95\x5C.adg"}};

using CStoredPlaceTest = CScratchTest;

// Windows names the files in UTF-16; everywhere else the stored bytes are the names.
fs::path SystemName(const wchar_t* pszWide, const std::string& strStored)
{
#ifdef _WIN32
    static_cast<void>(strStored);
    return fs::path(pszWide);
#else
    static_cast<void>(pszWide);
    return fs::path(strStored);
#endif
}

// Saved, loaded and shown in the recorded working directory while the current one is another.
TEST_F(CStoredPlaceTest, StoredNamesFoundInTheWorkDirByTheirOwnNames)
{
    const fs::path previous = fs::current_path();
    fs::current_path(m_dir);
    for (const SPlaceRow& row : kPlaceRows) {
        SCOPED_TRACE(row.strModule);
        const fs::path folder = m_dir / SystemName(row.pszFolder, row.strFolder);
        fs::create_directories(folder);
        std::ofstream(folder / SystemName(row.pszModule, row.strModule), std::ios::binary)
            << "Title\n1\n%\nq\na\n";
        CQuoteState state;
        CRecordingView view;
        state.m_codePage = CLegacyCodePage(row.nCodePage);
#ifdef _WIN32
        ASSERT_TRUE(StoredFromWide(folder.wstring() + L"\\", state.m_codePage, state.m_strWorkDir));
#else
        state.m_strWorkDir = folder.string() + "/";
#endif
        state.m_strModulePath = row.strModule;
        state.m_nCurrentQuote = 0;
        ASSERT_TRUE(state.SaveSettings());
        EXPECT_TRUE(fs::exists(folder / "index.txt"));
        state.LoadSettings(view);
        state.ShowQuoteText(view);
        EXPECT_EQ(state.m_strModulePath + "|" + view.m_strCaption + "|" + view.m_strText,
                  row.strModule + "|Adagiomill v1.2.0 -- Title|q");
    }
    fs::current_path(previous);
}

} // namespace
