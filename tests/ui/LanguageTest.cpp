// The window in the user's language, which Windows' resource loader picks from the UI language,
// at 96 dpi and at 144 (150 % display scaling). Each language runs in a CTest entry of its own
// that sets the locale (LC_ALL) and skips in any other. Each text is measured here, in the font
// the program gives its control.
#include "ProgramTest.h"

#include <algorithm>
#include <cstdlib>

#include <commctrl.h>

namespace {

// Both dialogs, the Open dialog's filter and the range prompt in English.
// clang-format off
const std::vector<std::string> kEnglish = {
    "&Close", "&Options", "<-- &Previous quote", "&Next quote -->", kInvalidModule.first, "", "",
    "&OK", "&Cancel", "&Help", "&Enable timer", "10", "&Load quote module", "&Sequential",
    "&Random", "Launch &Adagiomill when Windows starts", "", "  ", "seconds",
    "Active quote module", "Order of quote selection", "Current:", "#1",
    "Adagiomill version 1.2.0", "Window stays open for", "Window position", "Center (default)",
    "Top Left", "Top Right", "Adagiomill options", "Adagiomill modules (*.adg)",
    "Please enter an integer between 5 and 30."};
// clang-format on

struct SLanguage {
    const char* pszName;
    LANGID nLanguage;
    int nDpi;
    const char* pszNext; // an umlaut, Cyrillic or kanji: the resource compiler read UTF-8
    std::vector<std::string> shared; // what it writes as English does
};

// clang-format off
const SLanguage kLanguages[] = {
    {"English", 0x0409, 96, "&Next quote -->", kEnglish},
    {"English144", 0x0409, 144, "&Next quote -->", kEnglish},
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
// clang-format on

bool InWorkArea(HWND hwnd)
{
    RECT area = {}, both = {};
    const RECT rect = WindowRect(hwnd);
    return ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0) &&
           ::IntersectRect(&both, &rect, &area) && ::EqualRect(&both, &rect);
}

// A text is whole when it fits the control less what its frame, box or margins take (pixels
// at 96 dpi), drawn as the control draws it, in 9-point Arial in the quote fields and the
// dialog's 8-point MS Shell Dlg elsewhere.
void ExpectWhole(HWND hControl, const std::string& strText, int nDpi, int nTaken, UINT nFormat)
{
    const int nId = ::GetDlgCtrlID(hControl);
    const bool bQuote = nId == IDC_QUOTE_TEXT || nId == IDC_QUOTE_AUTHOR;
    const HFONT hFont =
        ::CreateFontA(-::MulDiv(bQuote ? 9 : 8, nDpi, 72), 0, 0, 0, FW_NORMAL, 0, 0, 0,
                      DEFAULT_CHARSET, 0, 0, 0, 0, bQuote ? "Arial" : "MS Shell Dlg");
    wchar_t szText[256] = L"";
    ::MultiByteToWideChar(CP_UTF8, 0, strText.c_str(), -1, szText, 256);
    szText[255] = L'\0';
    RECT room = {};
    ::GetClientRect(hControl, &room);
    room.right -= ::MulDiv(nTaken, nDpi, 96);
    RECT need = {0, 0, room.right, 0};
    const HDC hdc = ::GetDC(nullptr);
    const HGDIOBJ hOld = ::SelectObject(hdc, hFont);
    ::DrawTextW(hdc, szText, -1, &need, nFormat | DT_CALCRECT);
    ::DeleteObject(::SelectObject(hdc, hOld));
    ::ReleaseDC(nullptr, hdc);
    EXPECT_TRUE(need.right <= room.right && need.bottom <= room.bottom)
        << strText << " needs " << need.right << " x " << need.bottom << ", has " << room.right;
}

// Every control's text, each checked whole, and the entries of the position list; the arrows'
// and the icon's texts are never shown.
void CollectTexts(HWND hDlg, int nDpi, std::vector<std::string>& texts)
{
    for (HWND hChild = ::GetWindow(hDlg, GW_CHILD); hChild;
         hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        char szClass[16] = "";
        ::GetClassNameA(hChild, szClass, sizeof szClass);
        const std::string strClass = szClass;
        const LONG nStyle = ::GetWindowLongA(hChild, GWL_STYLE), nType = nStyle & BS_TYPEMASK;
        const bool bBox = nType == BS_AUTOCHECKBOX || nType == BS_AUTORADIOBUTTON;
        if (strClass == UPDOWN_CLASSA || (strClass == "Static" && nType == SS_ICON))
            continue;
        texts.push_back(WindowText(hChild));
        const int nTaken = bBox ? 17 : nType == BS_GROUPBOX ? 16 : 8;
        if (strClass == "Button")
            ExpectWhole(hChild, texts.back(), nDpi, nTaken, DT_SINGLELINE);
        else if (strClass == "Static")
            ExpectWhole(hChild, texts.back(), nDpi, 0,
                        nType == SS_LEFTNOWORDWRAP ? DT_SINGLELINE : DT_WORDBREAK);
        else if (strClass == "Edit")
            ExpectWhole(hChild, texts.back(), nDpi, 6, DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX);
        for (WPARAM i = 0; strClass == "ListBox" && i < 3; ++i) {
            wchar_t szItem[64] = L"";
            char szUtf8[256] = "";
            // LB_GETTEXT takes no size: the entry must be known to fit first.
            ASSERT_LT(SendWithDeadline(hChild, LB_GETTEXTLEN, i).value_or(64), 64);
            ASSERT_TRUE(SendWithDeadline(hChild, LB_GETTEXT, i, reinterpret_cast<LPARAM>(szItem)));
            ::WideCharToMultiByte(CP_UTF8, 0, szItem, -1, szUtf8, 256, nullptr, nullptr);
            texts.push_back(szUtf8);
            ExpectWhole(hChild, szUtf8, nDpi, 6, DT_SINGLELINE | DT_NOPREFIX);
        }
    }
}

class CLanguageTest : public CProgramTest, public testing::WithParamInterface<SLanguage> {};

// Both dialogs, the Open dialog's filter and the range prompt in the language, every text whole
// and none left in English; a language we do not ship gets the English texts byte for byte.
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
    // Scaled, Center centres the window by its real size.
    const RECT rect = WindowRect(hQuote);
    EXPECT_TRUE(language.nDpi == 96 ||
                (std::abs(rect.left + rect.right - ::GetSystemMetrics(SM_CXSCREEN)) <= 2 &&
                 std::abs(rect.top + rect.bottom - ::GetSystemMetrics(SM_CYSCREEN)) <= 2));
    std::vector<std::string> texts;
    CollectTexts(hQuote, language.nDpi, texts);
    const HWND hOptions = OpenOptions(hQuote);
    ASSERT_NE(hOptions, nullptr);
    CollectTexts(hOptions, language.nDpi, texts);
    texts.push_back(WindowText(hOptions));
    // The Open dialog's list of file types (cmb1); a message box's text (0xFFFF).
    HWND hOpen = nullptr, hBox = nullptr;
    ASSERT_TRUE(PostCommand(hOptions, IDC_LOAD_MODULE));
    ASSERT_TRUE(WaitUntil([&] { return (hOpen = FindDialog(0x470, 0, hOptions)); }));
    texts.push_back(ItemText(hOpen, 0x470));
    ASSERT_TRUE(PostCommand(hOpen, IDCANCEL) && WaitUntil([&] { return !::IsWindow(hOpen); }));
    ASSERT_TRUE(SetItemText(hOptions, IDC_INTERVAL, "40") && PostCommand(hOptions, IDOK));
    ASSERT_TRUE(WaitUntil([&] { return (hBox = FindDialog(0xFFFF, 0, hOptions)); }));
    texts.push_back(ItemText(hBox, 0xFFFF));
    ASSERT_TRUE(ClickButton(hBox, IDOK) && WaitUntil([&] { return !::IsWindow(hBox); }));
    EXPECT_TRUE(InWorkArea(hOptions));
    ASSERT_TRUE(SetItemText(hOptions, IDC_INTERVAL, "10"));
    for (const int nTopCorner : {1, 2}) {
        const HWND hDialog = nTopCorner == 1 ? hOptions : OpenOptions(hQuote);
        ASSERT_TRUE(SendToItem(hDialog, IDC_POSITION, LB_SETCURSEL, nTopCorner));
        ASSERT_TRUE(EndOptions(hQuote, hDialog, IDOK));
        EXPECT_TRUE(InWorkArea(hQuote)) << "position " << nTopCorner;
    }
    CloseProgram(hQuote);

    const auto& shared = language.shared;
    for (const std::string& strText : texts) {
        const auto isLetter = [](char ch) { return std::isalpha(static_cast<unsigned char>(ch)); };
        EXPECT_TRUE(std::none_of(strText.begin(), strText.end(), isLetter) ||
                    std::count(kEnglish.begin(), kEnglish.end(), strText) == 0 ||
                    std::count(shared.begin(), shared.end(), strText) != 0)
            << "left in English: " << strText;
    }
    std::sort(texts.begin(), texts.end());
    std::vector<std::string> english = kEnglish;
    std::sort(english.begin(), english.end());
    if (shared == kEnglish) {
        EXPECT_EQ(texts, english);
    }
}

INSTANTIATE_TEST_SUITE_P(Locale, CLanguageTest, testing::ValuesIn(kLanguages),
                         [](const auto& info) { return std::string(info.param.pszName); });

} // namespace
