// A whole load of index.txt, checked against a model of the six lines, then saved and
// loaded again: the second load must give what the first did, apart from the shifts that
// values written at their line's limit cause.
#include "FuzzCheck.h"
#include "FuzzWorkDir.h"
#include "QuoteState.h"
#include "RecordingView.h"
#include "ReferenceReader.h"
#include "Version.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <tuple>

namespace {

const char kszSettings[] = "index.txt";

struct SSettings {
    int nIndex, nInterval, nOrder;
    std::string strModule;
    int nTimer, nPosition;
    std::string strCaption;

    bool operator==(const SSettings& other) const
    {
        return std::tie(nIndex, nInterval, nOrder, strModule, nTimer, nPosition, strCaption) ==
               std::tie(other.nIndex, other.nInterval, other.nOrder, other.strModule, other.nTimer,
                        other.nPosition, other.strCaption);
    }
};

const char kszDefaultCaption[] = ADAGIO_CAPTION_PREFIX "Miscellaneous";
const SSettings kDefaults{-1, 10, ORDER_SEQUENTIAL, "miscellaneous.adg", 1, 0, kszDefaultCaption};

bool StartsWithDigit(const std::string& strLine)
{
    return !strLine.empty() && strLine[0] >= '0' && strLine[0] <= '9';
}

// What a C string holding these bytes says.
std::string UpToNul(const std::string& strBytes)
{
    return strBytes.substr(0, strBytes.find('\0'));
}

// The title as a text-mode read of the module's first line gives it.
std::string ModelTitle(const std::string& strPath)
{
    CReferenceReader title(ReadFileStart(strPath, 64), ELineMode::Text);
    return UpToNul(title.Read(sizeof CQuoteState::m_szTitle));
}

// Values are a few characters long at most: the C library's conversion cannot overflow here.
SSettings ModelLoad(const std::string& strFile)
{
    CReferenceReader model(strFile, ELineMode::Binary);
    const std::string strModule = model.Read(sizeof CQuoteState::m_szModuleText);
    const std::string strIndex = model.Read(sizeof CQuoteState::m_szIndexText);
    const std::string strInterval = model.Read(sizeof CQuoteState::m_szIntervalText);
    const std::string strOrder = model.Read(sizeof CQuoteState::m_szOrderText);
    const std::string strTimer = model.Read(sizeof CQuoteState::m_szTimerText);
    const std::string strPosition = model.Read(sizeof CQuoteState::m_szPositionText);
    // "-1" is what a run that showed no quote saves, and it loads again.
    const bool bIndexValid = StartsWithDigit(strIndex) || std::strcmp(strIndex.c_str(), "-1") == 0;
    // The module is opened by the text up to its first NUL byte.
    const std::string strPath = UpToNul(strModule);
    if (!bIndexValid || !StartsWithDigit(strInterval) || !StartsWithDigit(strOrder) ||
        !IsReadableFile(strPath))
        return kDefaults;
    return {std::atoi(strIndex.c_str()),
            std::atoi(strInterval.c_str()),
            std::atoi(strOrder.c_str()),
            strPath,
            std::atoi(strTimer.c_str()),
            std::atoi(strPosition.c_str()),
            ADAGIO_CAPTION_PREFIX + ModelTitle(strPath)};
}

// The file as the writer lays it out.
std::string Written(const SSettings& settings)
{
    std::string strFile = settings.strModule;
    for (int nValue : {settings.nIndex, settings.nInterval, settings.nOrder, settings.nTimer,
                       settings.nPosition})
        strFile += '\n' + std::to_string(nValue);
    return strFile;
}

// Whether every line but the last is short enough to leave its line end to its own read.
bool StaysAligned(const SSettings& settings)
{
    return settings.strModule.size() + 2 <= sizeof CQuoteState::m_szModuleText &&
           std::to_string(settings.nIndex).size() + 2 <= sizeof CQuoteState::m_szIndexText &&
           std::to_string(settings.nInterval).size() + 2 <= sizeof CQuoteState::m_szIntervalText &&
           std::to_string(settings.nOrder).size() + 2 <= sizeof CQuoteState::m_szOrderText &&
           std::to_string(settings.nTimer).size() + 2 <= sizeof CQuoteState::m_szTimerText;
}

template <std::size_t N> bool IsTerminated(const char (&szBuffer)[N])
{
    return std::memchr(szBuffer, '\0', N) != nullptr;
}

SSettings Load()
{
    CQuoteState state;
    CRecordingView view;
    // Scrambled first, so that every value must come from the load.
    state.m_nCurrentQuote = state.m_nInterval = state.m_nOrder = 77777;
    state.m_bTimerEnabled = state.m_nPosition = 77777;
    state.m_strModulePath = view.m_strCaption = "scrambled";
    state.LoadSettings(view);
    FUZZ_CHECK(IsTerminated(state.m_szModuleText) && IsTerminated(state.m_szIndexText));
    FUZZ_CHECK(IsTerminated(state.m_szIntervalText) && IsTerminated(state.m_szOrderText));
    FUZZ_CHECK(IsTerminated(state.m_szTimerText) && IsTerminated(state.m_szPositionText));
    FUZZ_CHECK(IsTerminated(state.m_szTitle));
    return {state.m_nCurrentQuote, state.m_nInterval, state.m_nOrder,   state.m_strModulePath,
            state.m_bTimerEnabled, state.m_nPosition, view.m_strCaption};
}

void Save(const SSettings& settings)
{
    CQuoteState state;
    std::tie(state.m_nCurrentQuote, state.m_nInterval, state.m_nOrder, state.m_strModulePath,
             state.m_bTimerEnabled, state.m_nPosition) =
        std::tie(settings.nIndex, settings.nInterval, settings.nOrder, settings.strModule,
                 settings.nTimer, settings.nPosition);
    state.SaveSettings();
}

} // namespace

// The default module, a small one, and one whose title is longer than the caption takes.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    EnterPrivateWorkDir();
    WriteFileBytes("miscellaneous.adg", "Miscellaneous\n2\n%\nFirst quote\nSomebody\n");
    WriteFileBytes("m.adg", "Title\r\n1\r\n%\r\nq\r\na\r\n");
    WriteFileBytes("long.adg", "A title of thirty characters!!\n1\n%\nq\na\n");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    const std::string strFile(reinterpret_cast<const char*>(pData), nSize);
    WriteFileBytes(kszSettings, strFile);
    const SSettings first = Load();
    FUZZ_CHECK(first == ModelLoad(strFile));
    Save(first);
    FUZZ_CHECK(!std::filesystem::exists("index.txt.new"));
    const std::string strSaved = ReadFileStart(kszSettings, 4096);
    FUZZ_CHECK(strSaved == Written(first));
    // What loaded comes back, unless a value written at its line's limit shifts the rest.
    const SSettings second = Load();
    FUZZ_CHECK(second == ModelLoad(strSaved));
    FUZZ_CHECK(!StaysAligned(first) || second == first);
    return 0;
}
