// Five thousand presses of Next on a full-size module, in either order: nothing the
// program holds may pile up, and the settings file is written once, at Close.
#include "DialogAccess.h"
#include "HostileFixture.h"
#include "ProcessUsage.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>
#include <windows.h>

namespace {

const char kModule[] = "stress.adg";
const int kQuotes = 999;
const int kClicks = 5000;
// Caches and heaps have settled by then; growth is measured from here.
const int kBaselineClicks = 100;
const DWORD kObjectSlack = 8;
const std::size_t kPrivateBytesSlack = 2 * 1024 * 1024;
const int kRandom = 1;
const int kSequential = 2;

std::string OrderName(const testing::TestParamInfo<int>& info)
{
    return info.param == kRandom ? "Random" : "Sequential";
}

class CStressTest : public CHostileFixture, public testing::WithParamInterface<int> {
protected:
    void SetUp() override
    {
        CHostileFixture::SetUp();
        m_strModule = ModuleText("Stress", kQuotes, NumberedQuotes(kQuotes));
        for (int i = 0; i < kQuotes; ++i) {
            m_displays.push_back(DisplayOf(m_strModule, i));
        }
    }

    // The index of the quote shown; -1 when the fields hold no quote of the module.
    int ShownIndex(HWND hwnd) const
    {
        const auto it = std::find(m_displays.begin(), m_displays.end(), Shown(hwnd));
        return it == m_displays.end() ? -1 : static_cast<int>(it - m_displays.begin());
    }

    std::string m_strModule;
    std::vector<SDisplay> m_displays;
};

TEST_P(CStressTest, LeavesNoGrowthAndWritesSettingsOnceAtClose)
{
    const int nOrder = GetParam();
    SSettings settings = {kModule, kQuotes - 1, 10, nOrder};
    ASSERT_TRUE(m_folder.Write(kModule, m_strModule));
    ASSERT_TRUE(m_folder.Write(kSettings, SettingsText(settings)));
    const HWND hwnd = StartProgram();
    ASSERT_NE(hwnd, nullptr);
    // Loaded at the start; from here on only Close may write it.
    ASSERT_TRUE(m_folder.Remove(kSettings));

    int nShown = ShownIndex(hwnd);
    ASSERT_GE(nShown, 0);
    SProcessUsage baseline = {};
    for (int i = 1; i <= kClicks; ++i) {
        SCOPED_TRACE("click " + std::to_string(i));
        ASSERT_TRUE(ClickButton(hwnd, IDC_NEXT)) << "Next did not return";
        const int nBefore = nShown;
        nShown = ShownIndex(hwnd);
        if (nOrder == kSequential) {
            ASSERT_EQ(nShown, i % kQuotes);
        } else {
            ASSERT_GE(nShown, 0) << testing::PrintToString(Shown(hwnd));
            ASSERT_NE(nShown, nBefore) << "the random pick repeated the quote shown";
        }
        if (i == kBaselineClicks) {
            const std::optional<SProcessUsage> usage = MeasureProcess(m_run.ProcessId());
            ASSERT_TRUE(usage) << "cannot measure the program";
            baseline = *usage;
        }
    }
    const std::optional<SProcessUsage> last = MeasureProcess(m_run.ProcessId());
    ASSERT_TRUE(last) << "cannot measure the program";
    EXPECT_LE(last->nGdiObjects, baseline.nGdiObjects + kObjectSlack) << "GDI objects";
    EXPECT_LE(last->nUserObjects, baseline.nUserObjects + kObjectSlack) << "USER objects";
    EXPECT_LE(last->nHandles, baseline.nHandles + kObjectSlack) << "handles";
    EXPECT_LE(last->nPrivateBytes, baseline.nPrivateBytes + kPrivateBytesSlack) << "private bytes";
    RecordProperty("usage",
                   testing::PrintToString(baseline) + " -> " + testing::PrintToString(*last));
    EXPECT_FALSE(std::filesystem::exists(PathOf(kSettings))) << "written before Close";

    CloseProgram(hwnd);
    EXPECT_FALSE(std::filesystem::exists(PathOf("index.txt.new"))) << "temporary file left behind";
    settings.nIndex = nShown;
    EXPECT_EQ(BytesOf(kSettings), SettingsText(settings, false));
}

INSTANTIATE_TEST_SUITE_P(Orders, CStressTest, testing::Values(kSequential, kRandom), OrderName);

} // namespace
