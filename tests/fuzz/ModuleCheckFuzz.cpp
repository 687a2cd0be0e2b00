// The module checker on any file: it never stops short of a report, keeps its list bounded,
// and the quotes it says are missing show two empty fields in the program's own display.
#include "CodePage.h"
#include "FuzzSupport.h"
#include "MemorySource.h"
#include "ModuleCheck.h"
#include "QuotePreview.h"

#include <limits>

namespace {

const char kszModule[] = "module.adg";
const char kszInvalid[] =
    "Invalid quote module selected. Please click on Options and load a valid module.";

} // namespace

// Flags (1 insert the run, 2 read in code page 932), run position and length, then the module.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    CFuzzInput input{pData, nSize};
    const auto nFlags = input.Take<std::uint8_t>();
    const auto nRunPos = input.Take<std::uint16_t>();
    const auto nRunLength = input.Take<std::uint32_t>();
    const std::string strModule = input.WriteRest(kszModule, nFlags & 1, nRunPos, nRunLength);

    static const CCodePage western, japanese(932);
    const CCodePage& codePage = (nFlags & 2) != 0 ? japanese : western;
    const SModuleCheck check = CheckModule(kszModule, codePage);
    FUZZ_CHECK(check.bReadable);
    const CDiagnostics& diagnostics = check.diagnostics;
    const std::size_t nKept = diagnostics.Sorted().size();
    FUZZ_CHECK(nKept <= CDiagnostics::kMaxKept);
    FUZZ_CHECK(diagnostics.Errors() + diagnostics.Warnings() == nKept + diagnostics.Dropped());

    CMemorySource bytes(strModule), lines(strModule);
    const SModuleCheck again = CheckModule(bytes, lines, codePage);
    FUZZ_CHECK(again.bLoads == check.bLoads && again.nPresent == check.nPresent);

    if (!check.bLoads) {
        FUZZ_CHECK(PreviewQuote(kszModule, 1, codePage).strText == kszInvalid);
        return 0;
    }
    // A well-formed count line holds three digits, but a title line cut by its limit can hand
    // a run of four digits to the count's read, and the program then takes all four.
    FUZZ_CHECK(check.nPresent >= 0 && check.nDeclared >= 0 && check.nDeclared <= 9999);
    if (check.nPresent < std::numeric_limits<int>::max()) {
        const SQuotePreview missing =
            PreviewQuote(kszModule, static_cast<int>(check.nPresent) + 1, codePage);
        FUZZ_CHECK(missing.strText.empty() && missing.strAuthor.empty());
    }
    return 0;
}
