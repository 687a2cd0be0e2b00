// The window in the user's language, which Windows' resource loader picks from the UI
// language. Each language runs in a CTest entry of its own that sets the locale (LC_ALL) and
// skips everywhere else. Texts are measured here with the font the dialog gives the control.
#include "ProgramTest.h"

#include <algorithm>
#include <cctype>

#include <commctrl.h>

namespace {

// Every text of the two dialogs, the Open dialog's filter and the range prompt in English.
const std::vector<std::string> kEnglish = {"&Close",
                                           "&Options",
                                           "<-- &Previous quote",
                                           "&Next quote -->",
                                           kInvalidModule.first,
                                           "",
                                           "",
                                           "&OK",
                                           "&Cancel",
                                           "&Help",
                                           "&Enable timer",
                                           "10",
                                           "&Load quote module",
                                           "&Sequential",
                                           "&Random",
                                           "Launch &Adagiomill when Windows starts",
                                           "",
                                           "  ",
                                           "seconds",
                                           "Active quote module",
                                           "Order of quote selection",
                                           "Current:",
                                           "#1",
                                           "Adagiomill version 1.2.0",
                                           "Window stays open for",
                                           "Window position",
                                           "Center (default)",
                                           "Top Left",
                                           "Top Right",
                                           "Adagiomill options",
                                           "Adagiomill modules (*.adg)",
                                           "Please enter an integer between 5 and 30."};
// The Open dialog's list of file types (cmb1); the system keeps a message box's text in 0xFFFF.
const int kFilterCombo = 0x470, kBoxText = 0xFFFF;

struct SLanguage {
    const char* pszName;
    LANGID nLanguage;
    int nDpi;
    // An umlaut, Cyrillic or a kanji read back whole shows the resource compiler read UTF-8.
    const char* pszNext;
    std::vector<std::string> shared; // English texts this language writes the same
};

const SLanguage kLanguages[] = {{"English", 0x0409, 96, "&Next quote -->", kEnglish},
                                {"Swedish", 0x041D, 96, "&Next quote -->", kEnglish},
                                {"German", 0x0407, 96, u8"&Nächstes Zitat -->", {}},
                                {"German144", 0x0407, 144, u8"&Nächstes Zitat -->", {}},
                                {"Japanese", 0x0411, 96, u8"次の名言(&N) -->", {}},
                                {"Russian", 0x0419, 96, u8"&Следующая -->", {}},
                                {"French", 0x040C, 96, u8"&Suivante -->", {"&Options"}},
                                {"Spanish", 0x0C0A, 96, u8"Cita &siguiente -->", {}},
                                {"Italian", 0x0410, 96, u8"&Successiva -->", {}},
                                {"Portuguese", 0x0416, 96, u8"&Próxima citação -->", {}},
                                {"Chinese", 0x0804, 96, u8"下一条名言(&N) -->", {}}};

std::wstring Wide(const std::string& strText)
{
    std::wstring strWide(strText.size() + 1, L'\0');
    strWide.resize(
        static_cast<std::size_t>(::MultiByteToWideChar(CP_UTF8, 0, strText.c_str(), -1, &strWide[0],
                                                       static_cast<int>(strWide.size())) -
                                 1));
    return strWide;
}

std::string Utf8(const wchar_t* pszText)
{
    char szText[256] = "";
    ::WideCharToMultiByte(CP_UTF8, 0, pszText, -1, szText, sizeof szText, nullptr, nullptr);
    szText[sizeof szText - 1] = '\0';
    return szText;
}

// The font the program gives the control: 9-point Arial in the quote fields, the dialog's
// 8-point MS Shell Dlg elsewhere.
HFONT FontOf(HWND hControl, int nDpi)
{
    const int nId = ::GetDlgCtrlID(hControl);
    const bool bQuote = nId == IDC_QUOTE_TEXT || nId == IDC_QUOTE_AUTHOR;
    return ::CreateFontW(-::MulDiv(bQuote ? 9 : 8, nDpi, 72), 0, 0, 0, FW_NORMAL, 0, 0, 0,
                         DEFAULT_CHARSET, 0, 0, 0, 0, bQuote ? L"Arial" : L"MS Shell Dlg");
}

// The room the control leaves its text, in pixels: beside a check box's box, inside a
// button's frame or a group box's line, within an edit control's margins.
SIZE RoomFor(HWND hControl, int nDpi, UINT& nFormat)
{
    RECT rect = {};
    ::GetClientRect(hControl, &rect);
    wchar_t szClass[16] = L"";
    ::GetClassNameW(hControl, szClass, 16);
    const LONG nStyle = ::GetWindowLongW(hControl, GWL_STYLE);
    const LONG nType = nStyle & BS_TYPEMASK;
    int nTaken = 0;
    nFormat = DT_SINGLELINE;
    if (lstrcmpiW(szClass, L"Button") == 0) {
        const bool bBox = nType == BS_AUTOCHECKBOX || nType == BS_AUTORADIOBUTTON;
        nTaken = bBox ? 17 : nType == BS_GROUPBOX ? 16 : 8;
    } else if (lstrcmpiW(szClass, L"Static") == 0 && (nStyle & SS_TYPEMASK) != SS_LEFTNOWORDWRAP) {
        nFormat = DT_WORDBREAK;
    } else if (lstrcmpiW(szClass, L"Edit") == 0) {
        nFormat = DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX;
        const LRESULT nMargins = SendWithDeadline(hControl, EM_GETMARGINS).value_or(0);
        rect.right -= LOWORD(nMargins) + HIWORD(nMargins);
    }
    return {rect.right - ::MulDiv(nTaken, nDpi, 96), rect.bottom};
}

void ExpectWhole(HWND hControl, const std::wstring& strText, int nDpi, SIZE room, UINT nFormat)
{
    const HDC hdc = ::GetDC(nullptr);
    const HFONT hFont = FontOf(hControl, nDpi);
    const HGDIOBJ hOld = ::SelectObject(hdc, hFont);
    RECT need = {0, 0, room.cx, 0};
    ::DrawTextW(hdc, strText.c_str(), -1, &need, nFormat | DT_CALCRECT);
    ::SelectObject(hdc, hOld);
    ::DeleteObject(hFont);
    ::ReleaseDC(nullptr, hdc);
    EXPECT_TRUE(need.right <= room.cx && need.bottom <= room.cy)
        << WindowText(hControl) << " needs " << need.right << " x " << need.bottom << ", has "
        << room.cx << " x " << room.cy;
}

// The arrows and the icon have a text that is never shown.
bool ShowsText(HWND hControl)
{
    wchar_t szClass[16] = L"";
    ::GetClassNameW(hControl, szClass, 16);
    const LONG nStyle = ::GetWindowLongW(hControl, GWL_STYLE);
    const bool bIcon = lstrcmpiW(szClass, L"Static") == 0 && (nStyle & SS_TYPEMASK) == SS_ICON;
    return lstrcmpiW(szClass, UPDOWN_CLASSW) != 0 && !bIcon;
}

// Every control's text, each checked whole; the entries of the position list too.
void CollectTexts(HWND hDlg, int nDpi, std::vector<std::string>& texts)
{
    for (HWND hChild = ::GetWindow(hDlg, GW_CHILD); hChild;
         hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        if (!ShowsText(hChild))
            continue;
        texts.push_back(WindowText(hChild));
        UINT nFormat = 0;
        SIZE room = RoomFor(hChild, nDpi, nFormat);
        if (::GetDlgCtrlID(hChild) != IDC_POSITION) {
            ExpectWhole(hChild, Wide(texts.back()), nDpi, room, nFormat);
            continue;
        }
        const LRESULT nItemHeight = SendWithDeadline(hChild, LB_GETITEMHEIGHT).value_or(0);
        EXPECT_LE(3 * nItemHeight, room.cy) << "the position list";
        room = {room.cx - ::MulDiv(4, nDpi, 96), static_cast<LONG>(nItemHeight)};
        for (WPARAM i = 0; i < 3; ++i) {
            wchar_t szItem[64] = L"";
            ASSERT_EQ(SendWithDeadline(hChild, LB_GETTEXTLEN, i),
                      SendWithDeadline(hChild, LB_GETTEXT, i, reinterpret_cast<LPARAM>(szItem)));
            texts.push_back(Utf8(szItem));
            ExpectWhole(hChild, szItem, nDpi, room, DT_SINGLELINE | DT_NOPREFIX);
        }
    }
}

class CLanguageTest : public CProgramTest, public testing::WithParamInterface<SLanguage> {};

// Both dialogs, the Open dialog's filter and the range prompt in the language, every text
// whole; a language we do not ship gets the English texts byte for byte.
TEST_P(CLanguageTest, EveryTextInTheLanguageAndWhole)
{
    const SLanguage& language = GetParam();
    if (::GetUserDefaultUILanguage() != language.nLanguage)
        GTEST_SKIP() << "runs in its own locale";
    Prepare({"broken.adg", 0}, "#1\r\nno count\r\n");
    const SScaledDisplay scaled(static_cast<DWORD>(language.nDpi));
    const HWND hQuote = StartProgram();
    ASSERT_NE(hQuote, nullptr);
    EXPECT_EQ(ItemText(hQuote, IDC_NEXT), language.pszNext);
    std::vector<std::string> texts;
    CollectTexts(hQuote, language.nDpi, texts);
    const HWND hOptions = OpenOptions(hQuote);
    ASSERT_NE(hOptions, nullptr);
    CollectTexts(hOptions, language.nDpi, texts);
    texts.push_back(WindowText(hOptions));

    HWND hOpen = nullptr, hBox = nullptr;
    ASSERT_TRUE(PostCommand(hOptions, IDC_LOAD_MODULE));
    ASSERT_TRUE(WaitUntil([&] { return (hOpen = FindDialog(kFilterCombo, 0, hOptions)); }));
    texts.push_back(ItemText(hOpen, kFilterCombo));
    ASSERT_TRUE(PostCommand(hOpen, IDCANCEL) && WaitUntil([&] { return !::IsWindow(hOpen); }));
    ASSERT_TRUE(SetItemText(hOptions, IDC_INTERVAL, "40") && PostCommand(hOptions, IDOK));
    ASSERT_TRUE(WaitUntil([&] { return (hBox = FindDialog(kBoxText, 0, hOptions)); }));
    texts.push_back(ItemText(hBox, kBoxText));
    ASSERT_TRUE(ClickButton(hBox, IDOK) && WaitUntil([&] { return !::IsWindow(hBox); }));
    ASSERT_TRUE(EndOptions(hQuote, hOptions, IDCANCEL));
    CloseProgram(hQuote);

    if (language.shared == kEnglish) {
        std::vector<std::string> english = kEnglish;
        std::sort(english.begin(), english.end());
        std::sort(texts.begin(), texts.end());
        EXPECT_EQ(texts, english);
    }
    // Blanks, digits and the module's title "#1" are the same in every language.
    for (const std::string& strText : texts) {
        const auto isLetter = [](char ch) { return std::isalpha(static_cast<unsigned char>(ch)); };
        const bool bWords = std::any_of(strText.begin(), strText.end(), isLetter);
        const auto& shared = language.shared;
        EXPECT_TRUE(!bWords || std::count(kEnglish.begin(), kEnglish.end(), strText) == 0 ||
                    std::count(shared.begin(), shared.end(), strText) != 0)
            << "left in English: " << strText;
    }
}

INSTANTIATE_TEST_SUITE_P(Locale, CLanguageTest, testing::ValuesIn(kLanguages),
                         [](const testing::TestParamInfo<SLanguage>& info) {
                             return std::string(info.param.pszName);
                         });

} // namespace
