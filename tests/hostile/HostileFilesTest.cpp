// Broken, huge, locked and shifting files under the running program: each row lays out a
// fresh folder, runs the program through a few steps and checks that it keeps answering,
// shows what the files say, and leaves a settings file that loads again.
#include "DialogAccess.h"
#include "HostileFixture.h"
#include "Wait.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>
#include <windows.h>

namespace {

using namespace std::string_literals;

const char kModule[] = "hostile.adg";
const char kTemporary[] = "index.txt.new";
const std::size_t kOneMegabyte = 1024 * 1024;
// What the fields can hold: one character less than the quote and attribution buffers.
const std::size_t kQuoteChars = 199;
const std::size_t kAuthorChars = 49;

// The files of one row, and the ones the test keeps open under the program.
class CScene {
public:
    explicit CScene(const CProgramFolder& folder) : m_folder(folder) {}
    CScene(const CScene&) = delete;
    CScene& operator=(const CScene&) = delete;
    ~CScene() { ReleaseHolds(); }

    void Write(const std::string& strName, const std::string& strBytes)
    {
        EXPECT_TRUE(m_folder.Write(strName, strBytes)) << strName;
        m_made[strName] = strBytes;
    }

    void MakeDirectory(const std::string& strName)
    {
        std::error_code error;
        std::filesystem::remove(PathOf(strName), error);
        EXPECT_TRUE(std::filesystem::create_directory(PathOf(strName), error)) << strName;
        m_made[strName] = std::nullopt;
    }

    // Open with a share mode that shuts other openers out, until released.
    void Hold(const std::string& strName, DWORD nShareMode)
    {
        const HANDLE hFile = ::CreateFileA(PathOf(strName).c_str(), GENERIC_READ, nShareMode,
                                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        EXPECT_NE(hFile, INVALID_HANDLE_VALUE) << "cannot hold " << strName;
        m_holds.push_back(hFile);
    }

    void ReleaseHolds()
    {
        for (const HANDLE hFile : m_holds) {
            ::CloseHandle(hFile);
        }
        m_holds.clear();
    }

    bool Made(const std::string& strName) const { return m_made.count(strName) != 0; }

    // Nothing for a directory.
    std::optional<std::string> Written(const std::string& strName) const
    {
        return m_made.at(strName);
    }

private:
    std::string PathOf(const std::string& strName) const
    {
        return m_folder.Path() + "\\" + strName;
    }

    const CProgramFolder& m_folder;
    std::map<std::string, std::optional<std::string>> m_made;
    std::vector<HANDLE> m_holds;
};

SSettings HostileSettings(int nIndex)
{
    return {kModule, nIndex};
}

void WriteModule(CScene& scene, const std::string& strModule, int nIndex)
{
    scene.Write(kModule, strModule);
    scene.Write(kSettings, SettingsText(HostileSettings(nIndex)));
}

// Disturb runs the row's disturbance while a quote is shown; the fields must not change.
enum class EAction { Start, Next, Previous, Repaint, Disturb };

struct SStep {
    EAction eAction;
    // Quote nIndex of pszModule as the file reads now; below 0, exactly `exact`.
    int nIndex;
    SDisplay exact;
    // Empty: the caption is not looked at.
    std::string strCaption;
    const char* pszModule = kModule;
};

SStep Quote(EAction eAction, int nIndex, std::string strCaption = "",
            const char* pszModule = kModule)
{
    return {eAction, nIndex, {}, std::move(strCaption), pszModule};
}

SStep Exactly(EAction eAction, SDisplay display, std::string strCaption = "")
{
    return {eAction, -1, std::move(display), std::move(strCaption)};
}

struct SRow {
    const char* pszName;
    std::function<void(CScene&)> fnPrepare;
    std::vector<SStep> steps;
    // Nothing: index.txt must be left as the row made it.
    std::optional<SSettings> saved;
    std::function<void(CScene&)> fnDisturb = nullptr;
};

std::string Caption(const std::string& strTitle)
{
    return kCaptionPrefix + strTitle;
}

const std::string kThree = ModuleText("Three", 3, NumberedQuotes(3));

std::string NulModule()
{
    return "Nul\0Title\r\n3\0x\r\n%\0\r\nBefore\0After\r\nAuth\0or\r\n%\r\n\0Hidden\r\n"
           "Second\0Author\r\n%\0\r\nThird~quote\0tail\r\n%\0\r\n"s;
}

std::string RandomAfterHeader()
{
    std::string strBody = RandomBytes(7, 65536);
    // Line ends in place of the end-of-file byte, so the walk goes deep into the noise.
    std::replace(strBody.begin(), strBody.end(), '\x1a', '\n');
    return "Random Body\r\n3\r\n%\r\n" + strBody;
}

const std::vector<SStep> kDefaults = {Quote(EAction::Start, 0, kDefaultCaption, kDefaultModule),
                                      Quote(EAction::Next, 1, kDefaultCaption, kDefaultModule)};

// A module name that is a device: it must never be read, since a read may never return.
SRow DeviceModuleRow(const char* pszName, const char* pszDevice)
{
    const auto fnPrepare = [pszDevice](CScene& scene) {
        SSettings settings = HostileSettings(1);
        settings.strModule = pszDevice;
        scene.Write(kSettings, SettingsText(settings));
    };
    return {pszName, fnPrepare, kDefaults, DefaultSettings(1)};
}

// The module stays readable, so the program keeps showing it after index.txt trouble.
SRow SettingsTroubleRow(const char* pszName, const std::function<void(CScene&)>& fnTrouble,
                        std::optional<SSettings> saved)
{
    const auto fnPrepare = [fnTrouble](CScene& scene) {
        WriteModule(scene, kThree, 0);
        fnTrouble(scene);
    };
    return {pszName,
            fnPrepare,
            {Quote(EAction::Start, 1, Caption("Three")), Quote(EAction::Next, 2)},
            saved};
}

std::vector<SRow> HostileRows()
{
    const SStep invalidStart = Exactly(EAction::Start, kInvalidModuleDisplay, kCaptionPrefix);
    const SStep invalidNext = Exactly(EAction::Next, kInvalidModuleDisplay);
    return {
        {"EmptyModule",
         [](CScene& scene) { WriteModule(scene, "", 1); },
         {invalidStart, invalidNext},
         HostileSettings(1)},
        {"RandomBytesAfterHeader",
         [](CScene& scene) { WriteModule(scene, RandomAfterHeader(), 2); },
         {Quote(EAction::Start, 0, Caption("Random Body")), Quote(EAction::Next, 1),
          Quote(EAction::Next, 2)},
         HostileSettings(2)},
        {"NulBytesInLines",
         [](CScene& scene) { WriteModule(scene, NulModule(), 2); },
         {Exactly(EAction::Start, {"Before", "Auth"}, Caption("Nul")),
          Exactly(EAction::Next, {"", "Second"}), Exactly(EAction::Next, {"Third\r\nquote", " "}),
          Exactly(EAction::Next, {"Before", "Auth"})},
         HostileSettings(0)},
        {"TenMegabyteQuoteText",
         [](CScene& scene) {
             WriteModule(scene,
                         "Long Quote\r\n2\r\n%\r\n" + PatternLine(10 * kOneMegabyte) +
                             "\r\nAuthor\r\n%\r\nShort quote.\r\nSomeone\r\n",
                         1);
         },
         {Exactly(EAction::Start,
                  {PatternLine(kQuoteChars),
                   PatternLine(kQuoteChars + kAuthorChars).substr(kQuoteChars)},
                  Caption("Long Quote")),
          Quote(EAction::Next, 1), Quote(EAction::Next, 0)},
         HostileSettings(0)},
        {"NineHundredNinetyNineDeclaredThreePresent",
         [](CScene& scene) {
             WriteModule(scene, ModuleText("Sparse", 999, NumberedQuotes(3)), 998);
         },
         {Quote(EAction::Start, 0, Caption("Sparse")), Exactly(EAction::Previous, kEmptyDisplay),
          Exactly(EAction::Previous, kEmptyDisplay), Exactly(EAction::Next, kEmptyDisplay),
          Quote(EAction::Next, 0), Quote(EAction::Next, 1)},
         HostileSettings(1)},
        {"ModuleIsDirectory",
         [](CScene& scene) {
             scene.MakeDirectory(kModule);
             scene.Write(kSettings, SettingsText(HostileSettings(1)));
         },
         kDefaults, DefaultSettings(1)},
        {"ModuleHeldOpenExclusively",
         [](CScene& scene) {
             WriteModule(scene, kThree, 1);
             scene.Hold(kModule, 0);
         },
         kDefaults, DefaultSettings(1)},
        DeviceModuleRow("ModuleNamedSerialPort", "COM1"),
        DeviceModuleRow("ModuleNamedAux", "AUX"),
        {"SettingsBeyondThirtyTwoBits",
         [](CScene& scene) {
             scene.Write(kModule, kThree);
             scene.Write(kSettings, "hostile.adg\n18446744073709551616\n4294967296\n"
                                    "9223372036854775808\n4294967297\n99999999999999999999\n");
         },
         {Quote(EAction::Start, 0, Caption("Three")), Quote(EAction::Next, 1)},
         // Each bounded read takes what fits and leaves the rest to the next line's read:
         // 1844 | 674 | 40 | 73 | 70 of the first number.
         SSettings{kModule, 1, 674, 40, 73, 70}},
        {"SettingsOneMegabyteLine",
         [](CScene& scene) {
             scene.Write(kModule, kThree);
             scene.Write(kSettings, PatternLine(kOneMegabyte));
         },
         kDefaults, DefaultSettings(1)},
        {"SettingsIsDirectory",
         [](CScene& scene) {
             scene.Write(kModule, kThree);
             scene.MakeDirectory(kSettings);
         },
         kDefaults, std::nullopt},
        {"SettingsHeldExclusively",
         [](CScene& scene) {
             WriteModule(scene, kThree, 0);
             scene.Hold(kSettings, 0);
         },
         kDefaults, std::nullopt},
        SettingsTroubleRow(
            "SettingsHeldOpenForReading",
            [](CScene& scene) { scene.Hold(kSettings, FILE_SHARE_READ | FILE_SHARE_WRITE); },
            HostileSettings(2)),
        SettingsTroubleRow(
            "StaleTemporaryHeldExclusively",
            [](CScene& scene) {
                scene.Write(kTemporary, "stale");
                scene.Hold(kTemporary, 0);
            },
            HostileSettings(2)),
        {"ModuleReplacedByShorter",
         [](CScene& scene) { WriteModule(scene, ModuleText("Five", 5, NumberedQuotes(5)), 3); },
         {Quote(EAction::Start, 4, Caption("Five")), Exactly(EAction::Disturb, {}),
          Exactly(EAction::Repaint, kEmptyDisplay, Caption("Five")), Quote(EAction::Next, 0),
          Quote(EAction::Next, 1)},
         HostileSettings(1),
         [](CScene& scene) { scene.Write(kModule, ModuleText("Two", 2, NumberedQuotes(2))); }},
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
    void Perform(EAction eAction, HWND hwnd, CScene& scene) const
    {
        switch (eAction) {
        case EAction::Next:
        case EAction::Previous:
            ASSERT_TRUE(ClickButton(hwnd, eAction == EAction::Next ? IDC_NEXT : IDC_PREVIOUS))
                << "the button did not return";
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

    void ExpectSaved(const SRow& row, const CScene& scene) const
    {
        if (row.saved) {
            EXPECT_EQ(BytesOf(kSettings), SettingsText(*row.saved, false));
        } else if (scene.Written(kSettings)) {
            EXPECT_EQ(BytesOf(kSettings), *scene.Written(kSettings)) << "index.txt was changed";
        } else {
            EXPECT_TRUE(std::filesystem::is_directory(PathOf(kSettings)));
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
        if (step.eAction == EAction::Disturb) {
            EXPECT_EQ(shown, before);
        } else {
            EXPECT_EQ(shown, step.nIndex < 0 ? step.exact
                                             : DisplayOf(BytesOf(step.pszModule), step.nIndex));
        }
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

using CModuleRewriteTest = CHostileFixture;

// A thread of the test saves the module over and over the way an editor does, truncated
// and then written whole in one call, so a read sees it empty or whole. Every version is
// the one before it with more quotes after it, so whatever mix of old and new bytes a read
// catches is itself a version cut short: quotes of a version, or empty fields past its end.
TEST_F(CModuleRewriteTest, NextWhileModuleIsRewrittenShowsOnlyWhatSomeVersionSays)
{
    const int kClicks = 200;
    const std::vector<SQuoteLines> quotes = NumberedQuotes(6);
    const std::string strFull = ModuleText("Rewritten", 6, quotes);
    const std::vector<int> present = {6, 2, 5, 0, 3, 1, 4};
    std::vector<std::string> versions(present.size());
    std::transform(present.begin(), present.end(), versions.begin(), [&](int nPresent) {
        return ModuleText("Rewritten", 6, {quotes.begin(), quotes.begin() + nPresent});
    });
    std::vector<SDisplay> allowed = {kEmptyDisplay, kInvalidModuleDisplay};
    for (int i = 0; i < 6; ++i) {
        allowed.push_back(DisplayOf(strFull, i));
    }
    ASSERT_TRUE(m_folder.Write(kModule, strFull));
    ASSERT_TRUE(m_folder.Write(kSettings, SettingsText(HostileSettings(0))));
    const HWND hwnd = StartProgram();
    ASSERT_NE(hwnd, nullptr);

    std::atomic<bool> bStop{false};
    std::atomic<int> nRewrites{0};
    std::thread rewriter([&] {
        for (std::size_t n = 0; !bStop; n = nRewrites % versions.size()) {
            const HANDLE hFile = ::CreateFileA(PathOf(kModule).c_str(), GENERIC_WRITE,
                                               FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (hFile == INVALID_HANDLE_VALUE) {
                continue;
            }
            DWORD nWritten = 0;
            if (::WriteFile(hFile, versions[n].data(), static_cast<DWORD>(versions[n].size()),
                            &nWritten, nullptr) &&
                nWritten == versions[n].size()) {
                ++nRewrites;
            }
            ::CloseHandle(hFile);
        }
    });
    // No fatal assertion while the thread runs: it must be joined first.
    for (int i = 1; i <= kClicks; ++i) {
        const bool bReturned = ClickButton(hwnd, IDC_NEXT);
        const SDisplay shown = Shown(hwnd);
        if (!bReturned || std::find(allowed.begin(), allowed.end(), shown) == allowed.end()) {
            ADD_FAILURE() << "click " << i << (bReturned ? "" : ": Next did not return")
                          << ", shown " << testing::PrintToString(shown);
            break;
        }
    }
    bStop = true;
    rewriter.join();
    RecordProperty("rewrites", nRewrites.load());
    EXPECT_GE(nRewrites.load(), kClicks) << "the module was hardly rewritten";
    ASSERT_TRUE(IsAnswering(hwnd));

    CloseProgram(hwnd);
    const std::string strSaved = BytesOf(kSettings);
    bool bSaneIndex = false;
    for (int i = 0; i < 6; ++i) {
        bSaneIndex = bSaneIndex || strSaved == SettingsText(HostileSettings(i), false);
    }
    EXPECT_TRUE(bSaneIndex) << "\"" << strSaved << "\"";
}

} // namespace
