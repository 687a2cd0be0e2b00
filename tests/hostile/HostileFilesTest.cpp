// Broken, huge, locked and shifting files under the running program: each row lays out a
// fresh folder, runs the program through a few steps and checks that it keeps answering,
// shows what the files say, and leaves a settings file that loads again.
#include "DialogAccess.h"
#include "FileHold.h"
#include "HostileFixture.h"
#include "ModuleDisplay.h"
#include "ModuleRewriter.h"
#include "ModuleText.h"
#include "SavedSettings.h"
#include "Wait.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <ostream>
#include <set>
#include <string>
#include <vector>
#include <windows.h>

namespace {

using namespace std::string_literals;

const char kModule[] = "hostile.adg";
const char kSettings[] = "index.txt";
const char kTemporary[] = "index.txt.new";
const std::size_t kOneMegabyte = 1024 * 1024;
const std::size_t kTenMegabytes = 10 * kOneMegabyte;
// What the fields can hold: one character less than the quote and attribution buffers.
const std::size_t kQuoteChars = 199;
const std::size_t kAuthorChars = 49;
const std::size_t kTitleChars = 24;
// Beyond what a 32-bit size can hold.
const LONGLONG kFiveGigabytes = 5LL * 1024 * 1024 * 1024;

// The files of one row, and the ones the test keeps open under the program.
class CScene {
public:
    explicit CScene(const CProgramFolder& folder) : m_folder(folder) {}

    void Write(const std::string& strName, const std::string& strBytes)
    {
        EXPECT_TRUE(m_folder.Write(strName, strBytes)) << strName;
        m_written[strName] = strBytes;
    }

    bool Made(const std::string& strName) const
    {
        return m_written.count(strName) != 0 || m_directories.count(strName) != 0;
    }

    void MakeDirectory(const std::string& strName)
    {
        m_directories.insert(strName);
        std::error_code error;
        std::filesystem::remove(PathOf(strName), error);
        EXPECT_TRUE(std::filesystem::create_directory(PathOf(strName), error)) << strName;
    }

    void Hold(const std::string& strName, DWORD nAccess, DWORD nShareMode)
    {
        m_holds.push_back(std::make_unique<CFileHold>(PathOf(strName), nAccess, nShareMode));
        EXPECT_TRUE(m_holds.back()->IsHeld()) << "cannot hold " << strName;
    }

    void ReleaseHolds() { m_holds.clear(); }

    // Zeros up to the size, which cost no disk space where the file system keeps holes.
    void Extend(const std::string& strName, LONGLONG nSize) const
    {
        const HANDLE hFile = ::CreateFileA(PathOf(strName).c_str(), GENERIC_WRITE, 0, nullptr,
                                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        LARGE_INTEGER size = {};
        size.QuadPart = nSize;
        EXPECT_TRUE(hFile != INVALID_HANDLE_VALUE &&
                    ::SetFilePointerEx(hFile, size, nullptr, FILE_BEGIN) && ::SetEndOfFile(hFile))
            << "cannot extend " << strName;
        ::CloseHandle(hFile);
    }

    const std::string& Written(const std::string& strName) { return m_written[strName]; }

private:
    std::string PathOf(const std::string& strName) const
    {
        return m_folder.Path() + "\\" + strName;
    }

    const CProgramFolder& m_folder;
    std::map<std::string, std::string> m_written;
    std::set<std::string> m_directories;
    std::vector<std::unique_ptr<CFileHold>> m_holds;
};

SSettings HostileSettings(int nIndex)
{
    SSettings settings;
    settings.strModule = kModule;
    settings.nIndex = nIndex;
    return settings;
}

void WriteModule(CScene& scene, const std::string& strModule, int nIndex)
{
    scene.Write(kModule, strModule);
    scene.Write(kSettings, SettingsText(HostileSettings(nIndex)));
}

// What the fields must show after a step.
enum class EShown {
    Quote,     // quote nIndex of pszModule as the file reads now
    Exactly,   // the given text and attribution
    Unchanged, // what they showed before the step
};

struct SShown {
    EShown eShown;
    int nIndex;
    const char* pszModule;
    SDisplay exact;
};

SShown Quote(int nIndex, const char* pszModule = kModule)
{
    return {EShown::Quote, nIndex, pszModule, {}};
}

SShown Exactly(const SDisplay& display)
{
    return {EShown::Exactly, 0, nullptr, display};
}

SShown Unchanged()
{
    return {EShown::Unchanged, 0, nullptr, {}};
}

const SShown kInvalid = Exactly(kInvalidModuleDisplay);
const SShown kEmpty = Exactly(kEmptyDisplay);

enum class EAction { Start, Next, Previous, Repaint, Disturb };

struct SStep {
    EAction eAction;
    SShown shown;
    // Empty: the caption is not looked at.
    std::string strCaption;
};

enum class ESaved {
    Values,    // written, holding the row's values
    Untouched, // byte for byte what the row wrote
    Directory, // still the directory the row made
};

struct SRow {
    const char* pszName;
    std::function<void(CScene&)> fnPrepare;
    std::vector<SStep> steps;
    ESaved eSaved;
    SSettings saved;
    // Run by the step EAction::Disturb, while the program shows a quote.
    std::function<void(CScene&)> fnDisturb = nullptr;
};

std::string Caption(const std::string& strTitle)
{
    return kCaptionPrefix + strTitle;
}

const std::string kThree = ModuleText("Three", 3, NumberedQuotes(3));
const std::string kFive = ModuleText("Five", 5, NumberedQuotes(5));

std::string NulModule()
{
    return "Nul\0Title\r\n"
           "3\0x\r\n"
           "%\0\r\n"
           "Before\0After\r\n"
           "Auth\0or\r\n"
           "%\r\n"
           "\0Hidden\r\n"
           "Second\0Author\r\n"
           "%\0\r\n"
           "Third~quote\0tail\r\n"
           "%\0\r\n"s;
}

std::string RandomAfterHeader()
{
    std::string strBody = RandomBytes(7, 65536);
    // Line ends in place of the end-of-file byte, so the walk goes deep into the noise.
    std::replace(strBody.begin(), strBody.end(), '\x1a', '\n');
    return "Random Body\r\n3\r\n%\r\n" + strBody;
}

std::string LongQuoteModule()
{
    return "Long Quote\r\n2\r\n%\r\n" + PatternLine(kTenMegabytes) +
           "\r\nAuthor\r\n%\r\nShort quote.\r\nSomeone\r\n";
}

SDisplay LongQuoteFirstDisplay()
{
    const std::string strLine = PatternLine(kQuoteChars + kAuthorChars);
    return {strLine.substr(0, kQuoteChars), strLine.substr(kQuoteChars)};
}

std::string DigitLines(std::size_t nSize)
{
    std::string strLines;
    while (strLines.size() < nSize) {
        strLines += "123456789\n";
    }
    return strLines;
}

SSettings BeyondThirtyTwoBitsLoaded()
{
    // Each bounded read takes what fits and leaves the rest to the next line's read:
    // 1844 | 674 | 40 | 73 | 70 of the first number.
    SSettings settings = HostileSettings(1);
    settings.nInterval = 674;
    settings.nOrder = 40;
    settings.nTimer = 73;
    settings.nPosition = 70;
    return settings;
}

const SStep kDefaultsStart = {EAction::Start, Quote(0, kDefaultModule), kDefaultCaption};
const SStep kDefaultsNext = {EAction::Next, Quote(1, kDefaultModule), kDefaultCaption};

// A module name that is a device: it must never be read, since a read may never return.
SRow DeviceModuleRow(const char* pszName, const char* pszDevice)
{
    const auto fnPrepare = [pszDevice](CScene& scene) {
        SSettings settings = HostileSettings(1);
        settings.strModule = pszDevice;
        scene.Write(kSettings, SettingsText(settings));
    };
    return {
        pszName, fnPrepare, {kDefaultsStart, kDefaultsNext}, ESaved::Values, DefaultSettings(1)};
}

std::vector<SRow> HostileRows()
{
    const SStep threeStart = {EAction::Start, Quote(1), Caption("Three")};
    const SStep fiveStart = {EAction::Start, Quote(4), Caption("Five")};
    const SStep unchanged = {EAction::Disturb, Unchanged(), ""};
    const SStep lostModule = {EAction::Next, Unchanged(), kDefaultCaption};
    const SStep defaultModule = {EAction::Next, Quote(0, kDefaultModule), kDefaultCaption};
    return {
        {"EmptyModule",
         [](CScene& scene) { WriteModule(scene, "", 1); },
         {{EAction::Start, kInvalid, kCaptionPrefix}, {EAction::Next, kInvalid, ""}},
         ESaved::Values,
         HostileSettings(1)},
        {"RandomBytes",
         [](CScene& scene) { WriteModule(scene, RandomBytes(6, 65536), 1); },
         {{EAction::Start, kInvalid, ""}, {EAction::Next, kInvalid, ""}},
         ESaved::Values,
         HostileSettings(1)},
        {"RandomBytesAfterHeader",
         [](CScene& scene) { WriteModule(scene, RandomAfterHeader(), 2); },
         {{EAction::Start, Quote(0), Caption("Random Body")},
          {EAction::Next, Quote(1), ""},
          {EAction::Next, Quote(2), ""}},
         ESaved::Values,
         HostileSettings(2)},
        {"NulBytesInLines",
         [](CScene& scene) { WriteModule(scene, NulModule(), 2); },
         {{EAction::Start, Exactly({"Before", "Auth"}), Caption("Nul")},
          {EAction::Next, Exactly({"", "Second"}), ""},
          {EAction::Next, Exactly({"Third\r\nquote", " "}), ""},
          {EAction::Next, Exactly({"Before", "Auth"}), ""}},
         ESaved::Values,
         HostileSettings(0)},
        {"NulBeforeCount",
         [](CScene& scene) {
             WriteModule(scene,
                         "Nul Count\r\n\0"
                         "3\r\n%\r\nQ\r\nA\r\n"s,
                         0);
         },
         {{EAction::Start, kInvalid, Caption("Nul Count")}, {EAction::Next, kInvalid, ""}},
         ESaved::Values,
         HostileSettings(0)},
        {"EndOfFileByteBeforeLastQuote",
         [](CScene& scene) {
             std::string strModule = kThree;
             strModule.insert(strModule.rfind("Quote 2"), "\x1a");
             WriteModule(scene, strModule, 0);
         },
         {threeStart, {EAction::Next, kEmpty, ""}, {EAction::Next, Quote(0), ""}},
         ESaved::Values,
         HostileSettings(0)},
        {"CarriageReturnLineEnds",
         [](CScene& scene) {
             std::string strModule = kThree;
             strModule.erase(std::remove(strModule.begin(), strModule.end(), '\n'),
                             strModule.end());
             WriteModule(scene, strModule, 0);
         },
         {{EAction::Start, kInvalid, Caption("Three\r3\r%\rQuote 0~contin")},
          {EAction::Next, kInvalid, ""}},
         ESaved::Values,
         HostileSettings(0)},
        {"TenMegabyteTitleLine",
         [](CScene& scene) {
             WriteModule(scene, PatternLine(kTenMegabytes) + "\r\n1\r\n%\r\nQ\r\nA\r\n", 0);
         },
         {{EAction::Start, kInvalid, Caption(PatternLine(kTitleChars))},
          {EAction::Next, kInvalid, ""}},
         ESaved::Values,
         HostileSettings(0)},
        {"TenMegabyteQuoteText",
         [](CScene& scene) { WriteModule(scene, LongQuoteModule(), 1); },
         {{EAction::Start, Exactly(LongQuoteFirstDisplay()), Caption("Long Quote")},
          {EAction::Next, Quote(1), ""},
          {EAction::Next, Quote(0), ""}},
         ESaved::Values,
         HostileSettings(0)},
        {"FiveGigabyteModule",
         [](CScene& scene) {
             WriteModule(scene, "Huge\r\n1\r\n%\r\nA quote.\r\nSomeone\r\n", 0);
             scene.Extend(kModule, kFiveGigabytes);
         },
         {{EAction::Start, Exactly({"A quote.", "Someone"}), Caption("Huge")},
          {EAction::Next, Exactly({"A quote.", "Someone"}), ""}},
         ESaved::Values,
         HostileSettings(0)},
        {"NineHundredNinetyNineDeclaredThreePresent",
         [](CScene& scene) {
             WriteModule(scene, ModuleText("Sparse", 999, NumberedQuotes(3)), 998);
         },
         {{EAction::Start, Quote(0), Caption("Sparse")},
          {EAction::Previous, kEmpty, ""},
          {EAction::Previous, kEmpty, ""},
          {EAction::Next, kEmpty, ""},
          {EAction::Next, Quote(0), ""},
          {EAction::Next, Quote(1), ""}},
         ESaved::Values,
         HostileSettings(1)},
        {"ModuleIsDirectory",
         [](CScene& scene) {
             scene.MakeDirectory(kModule);
             scene.Write(kSettings, SettingsText(HostileSettings(1)));
         },
         {kDefaultsStart, kDefaultsNext},
         ESaved::Values,
         DefaultSettings(1)},
        {"ModuleHeldOpenExclusively",
         [](CScene& scene) {
             WriteModule(scene, kThree, 1);
             scene.Hold(kModule, GENERIC_READ, 0);
         },
         {kDefaultsStart, kDefaultsNext},
         ESaved::Values,
         DefaultSettings(1)},
        {"SettingsBeyondThirtyTwoBits",
         [](CScene& scene) {
             scene.Write(kModule, kThree);
             scene.Write(kSettings, "hostile.adg\n18446744073709551616\n4294967296\n"
                                    "9223372036854775808\n4294967297\n99999999999999999999\n");
         },
         {{EAction::Start, Quote(0), Caption("Three")}, {EAction::Next, Quote(1), ""}},
         ESaved::Values,
         BeyondThirtyTwoBitsLoaded()},
        {"SettingsBeyondThirtyTwoBitsNegative",
         [](CScene& scene) {
             scene.Write(kModule, kThree);
             scene.Write(kSettings, "hostile.adg\n-18446744073709551616\n-4294967296\n"
                                    "-9223372036854775809\n-4294967297\n-99999999999999999999\n");
         },
         {kDefaultsStart, kDefaultsNext},
         ESaved::Values,
         DefaultSettings(1)},
        {"SettingsOneMegabyteLine",
         [](CScene& scene) {
             scene.Write(kModule, kThree);
             scene.Write(kSettings, PatternLine(kOneMegabyte));
         },
         {kDefaultsStart, kDefaultsNext},
         ESaved::Values,
         DefaultSettings(1)},
        {"SettingsOneMegabyteRandom",
         [](CScene& scene) {
             scene.Write(kModule, kThree);
             scene.Write(kSettings, RandomBytes(8, kOneMegabyte));
         },
         {kDefaultsStart, kDefaultsNext},
         ESaved::Values,
         DefaultSettings(1)},
        {"SettingsOneMegabyteAfterValues",
         [](CScene& scene) {
             scene.Write(kModule, kThree);
             scene.Write(kSettings, SettingsText(HostileSettings(0)) + DigitLines(kOneMegabyte));
         },
         {threeStart, {EAction::Next, Quote(2), ""}},
         ESaved::Values,
         HostileSettings(2)},
        DeviceModuleRow("ModuleNamedSerialPort", "COM1"),
        DeviceModuleRow("ModuleNamedAux", "AUX"),
        DeviceModuleRow("ModuleNamedConsole", "CON"),
        DeviceModuleRow("ModuleNamedNul", "NUL"),
        {"SettingsIsDirectory",
         [](CScene& scene) {
             scene.Write(kModule, kThree);
             scene.MakeDirectory(kSettings);
         },
         {kDefaultsStart, kDefaultsNext},
         ESaved::Directory,
         {}},
        {"SettingsHeldWithoutWriteSharing",
         [](CScene& scene) {
             WriteModule(scene, kThree, 0);
             scene.Hold(kSettings, GENERIC_READ, FILE_SHARE_READ);
         },
         {threeStart, {EAction::Next, Quote(2), ""}},
         ESaved::Untouched,
         {}},
        {"SettingsHeldOpenForReading",
         [](CScene& scene) {
             WriteModule(scene, kThree, 0);
             scene.Hold(kSettings, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE);
         },
         {threeStart, {EAction::Next, Quote(2), ""}},
         ESaved::Values,
         HostileSettings(2)},
        {"SettingsHeldExclusively",
         [](CScene& scene) {
             WriteModule(scene, kThree, 0);
             scene.Hold(kSettings, GENERIC_READ, 0);
         },
         {kDefaultsStart, kDefaultsNext},
         ESaved::Untouched,
         {}},
        {"StaleTemporaryIsDirectory",
         [](CScene& scene) {
             WriteModule(scene, kThree, 0);
             scene.MakeDirectory(kTemporary);
         },
         {threeStart, {EAction::Next, Quote(2), ""}},
         ESaved::Values,
         HostileSettings(2)},
        {"StaleTemporaryHeldExclusively",
         [](CScene& scene) {
             WriteModule(scene, kThree, 0);
             scene.Write(kTemporary, "stale");
             scene.Hold(kTemporary, GENERIC_READ, 0);
         },
         {threeStart, {EAction::Next, Quote(2), ""}},
         ESaved::Values,
         HostileSettings(2)},
        {"ModuleHeldOpenWhileShown",
         [](CScene& scene) { WriteModule(scene, kThree, 0); },
         {threeStart, unchanged, lostModule, defaultModule},
         ESaved::Values,
         DefaultSettings(0),
         [](CScene& scene) { scene.Hold(kModule, GENERIC_READ, 0); }},
        {"ModuleTurnedIntoDirectoryWhileShown",
         [](CScene& scene) { WriteModule(scene, kThree, 0); },
         {threeStart, unchanged, lostModule, defaultModule},
         ESaved::Values,
         DefaultSettings(0),
         [](CScene& scene) { scene.MakeDirectory(kModule); }},
        {"ModuleReplacedByShorter",
         [](CScene& scene) { WriteModule(scene, kFive, 3); },
         {fiveStart,
          unchanged,
          {EAction::Repaint, kEmpty, Caption("Five")},
          {EAction::Next, Quote(0), ""},
          {EAction::Next, Quote(1), ""}},
         ESaved::Values,
         HostileSettings(1),
         [](CScene& scene) { scene.Write(kModule, ModuleText("Two", 2, NumberedQuotes(2))); }},
        {"ModuleReplacedByShorterThenPrevious",
         [](CScene& scene) { WriteModule(scene, kFive, 3); },
         {fiveStart,
          unchanged,
          {EAction::Repaint, kEmpty, ""},
          {EAction::Previous, Quote(0), ""},
          {EAction::Previous, Quote(1), ""}},
         ESaved::Values,
         HostileSettings(1),
         [](CScene& scene) { scene.Write(kModule, ModuleText("Two", 2, NumberedQuotes(2))); }},
        {"ModuleCutShortKeepingDeclared",
         [](CScene& scene) { WriteModule(scene, kFive, 3); },
         {fiveStart,
          unchanged,
          {EAction::Repaint, kEmpty, ""},
          {EAction::Next, Quote(0), ""},
          {EAction::Next, Quote(1), ""},
          {EAction::Next, kEmpty, ""}},
         ESaved::Values,
         HostileSettings(2),
         [](CScene& scene) { scene.Write(kModule, ModuleText("Five", 5, NumberedQuotes(2))); }},
        {"ModuleCutInsideHeader",
         [](CScene& scene) { WriteModule(scene, kFive, 3); },
         {fiveStart, unchanged, {EAction::Repaint, kInvalid, ""}, {EAction::Next, kInvalid, ""}},
         ESaved::Values,
         HostileSettings(4),
         [](CScene& scene) { scene.Write(kModule, "Five\r\n5"); }},
    };
}

std::string RowName(const testing::TestParamInfo<SRow>& info)
{
    return info.param.pszName;
}

void PrintTo(const SRow& row, std::ostream* pStream)
{
    *pStream << row.pszName;
}

class CHostileFilesTest : public CHostileFixture, public testing::WithParamInterface<SRow> {
protected:
    SDisplay Expected(const SShown& shown, const SDisplay& before) const
    {
        switch (shown.eShown) {
        case EShown::Quote:
            return DisplayOf(BytesOf(shown.pszModule), shown.nIndex);
        case EShown::Exactly:
            return shown.exact;
        case EShown::Unchanged:
            break;
        }
        return before;
    }

    void Perform(EAction eAction, HWND hwnd, CScene& scene) const
    {
        switch (eAction) {
        case EAction::Next:
            ASSERT_TRUE(ClickButton(hwnd, IDC_NEXT)) << "Next did not return";
            break;
        case EAction::Previous:
            ASSERT_TRUE(ClickButton(hwnd, IDC_PREVIOUS)) << "Previous did not return";
            break;
        case EAction::Repaint:
            ::RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
            ASSERT_TRUE(WaitUntil([&] { return IsPainted(hwnd); })) << "no repaint";
            break;
        case EAction::Disturb:
            GetParam().fnDisturb(scene);
            break;
        case EAction::Start:
            break;
        }
    }

    void ExpectSaved(const SRow& row, CScene& scene) const
    {
        switch (row.eSaved) {
        case ESaved::Values: {
            const std::string strSaved = BytesOf(kSettings);
            const std::optional<SSettings> saved = ParseSavedSettings(strSaved);
            ASSERT_TRUE(saved) << "not a settings file the program writes: \"" << strSaved << "\"";
            EXPECT_EQ(*saved, row.saved);
            break;
        }
        case ESaved::Untouched:
            EXPECT_EQ(BytesOf(kSettings), scene.Written(kSettings));
            break;
        case ESaved::Directory:
            EXPECT_TRUE(std::filesystem::is_directory(PathOf(kSettings)));
            break;
        }
    }
};

TEST_P(CHostileFilesTest, KeepsAnsweringShowsWhatFilesSayAndSavesSanely)
{
    const SRow& row = GetParam();
    CScene scene(m_folder);
    row.fnPrepare(scene);
    HWND hwnd = nullptr;
    SDisplay shown;
    for (std::size_t i = 0; i < row.steps.size(); ++i) {
        const SStep& step = row.steps[i];
        SCOPED_TRACE("step " + std::to_string(i + 1));
        if (step.eAction == EAction::Start) {
            hwnd = StartProgram();
            ASSERT_NE(hwnd, nullptr);
        }
        Perform(step.eAction, hwnd, scene);
        ASSERT_TRUE(IsAnswering(hwnd)) << "the program stopped answering";
        const SDisplay before = shown;
        shown = Shown(hwnd);
        EXPECT_EQ(shown, Expected(step.shown, before));
        if (!step.strCaption.empty()) {
            EXPECT_EQ(WindowText(hwnd), step.strCaption);
        }
    }
    CloseProgram(hwnd);
    scene.ReleaseHolds();
    ExpectSaved(row, scene);
    if (!scene.Made(kTemporary)) {
        EXPECT_FALSE(std::filesystem::exists(PathOf(kTemporary))) << "temporary file left behind";
    }
}

INSTANTIATE_TEST_SUITE_P(Files, CHostileFilesTest, testing::ValuesIn(HostileRows()), RowName);

// Every version is the one before it with more quotes after it, so whatever mix of old
// and new bytes a read catches is itself a version cut short: quotes of a version, two
// empty fields past the end, or, caught between truncation and write, an empty file.
std::vector<std::string> RewrittenVersions()
{
    const std::vector<SQuoteLines> quotes = NumberedQuotes(6);
    const std::size_t kPresent[] = {6, 2, 5, 0, 3, 1, 4};
    std::vector<std::string> versions(std::size(kPresent));
    std::transform(std::begin(kPresent), std::end(kPresent), versions.begin(), [&](auto nPresent) {
        return ModuleText("Rewritten", 6,
                          std::vector<SQuoteLines>(quotes.begin(), quotes.begin() + nPresent));
    });
    return versions;
}

using CModuleRewriteTest = CHostileFixture;

TEST_F(CModuleRewriteTest, NextWhileModuleIsRewrittenShowsOnlyWhatSomeVersionSays)
{
    const int kClicks = 200;
    const std::string strFull = ModuleText("Rewritten", 6, NumberedQuotes(6));
    std::vector<SDisplay> allowed = {kEmptyDisplay, kInvalidModuleDisplay};
    for (int i = 0; i < 6; ++i) {
        allowed.push_back(DisplayOf(strFull, i));
    }
    ASSERT_TRUE(m_folder.Write(kModule, strFull));
    ASSERT_TRUE(m_folder.Write(kSettings, SettingsText(HostileSettings(0))));
    const HWND hwnd = StartProgram();
    ASSERT_NE(hwnd, nullptr);

    unsigned nRewrites = 0;
    {
        CModuleRewriter rewriter(PathOf(kModule), RewrittenVersions());
        for (int i = 0; i < kClicks; ++i) {
            SCOPED_TRACE("click " + std::to_string(i + 1));
            ASSERT_TRUE(ClickButton(hwnd, IDC_NEXT)) << "Next did not return";
            const SDisplay shown = Shown(hwnd);
            ASSERT_NE(std::find(allowed.begin(), allowed.end(), shown), allowed.end())
                << testing::PrintToString(shown);
        }
        nRewrites = rewriter.Rewrites();
    }
    RecordProperty("rewrites", static_cast<int>(nRewrites));
    EXPECT_GE(nRewrites, static_cast<unsigned>(kClicks)) << "the module was hardly rewritten";
    ASSERT_TRUE(IsAnswering(hwnd));

    CloseProgram(hwnd);
    const std::optional<SSettings> saved = ParseSavedSettings(BytesOf(kSettings));
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->strModule, kModule);
    EXPECT_TRUE(saved->nIndex >= 0 && saved->nIndex < 6) << saved->nIndex;
}

} // namespace
