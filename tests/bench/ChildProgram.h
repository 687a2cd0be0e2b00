// One run of a dialog program under measurement, started in its own folder. A run still
// going when the object dies is ended, so no stray program outlives the benchmark.
#pragma once

#include "Stopwatch.h"

#include <string>
#include <windows.h>

// Seconds from CreateProcess until the poll first saw each step; negative when it did not.
struct SStartPhases {
    double dCreated = -1.0;   // the dialog and its controls exist
    double dAnswering = -1.0; // it has been initialised and answers messages
    double dText = -1.0;      // the quote field holds text
};

struct SChildMemory {
    double dPeakWorkingSet = 0.0;
    double dPrivateBytes = 0.0;
    // Negative when the system cannot tell (Wine does not count them).
    long nGdiObjects = -1;
    long nUserObjects = -1;
};

class CChildProgram {
public:
    CChildProgram() = default;
    CChildProgram(const CChildProgram&) = delete;
    CChildProgram& operator=(const CChildProgram&) = delete;
    ~CChildProgram();

    bool Start(const std::string& strExe, const std::string& strFolder);

    // Polls the quote field until it holds text other than strOld; false when the program
    // ended or the deadline passed first.
    bool WaitForNewText(const std::string& strOld, std::string& strText, DWORD nTimeoutMs);
    // When the polls since Start first saw each step.
    const SStartPhases& Phases() const { return m_phases; }
    // Returns once the button's handler has run in the program.
    bool ClickNext();
    bool ReadQuoteField(std::string& strText) const;
    SChildMemory Memory() const;
    // Asks the dialog to close as Esc would, and ends the process if it does not.
    void Close();

private:
    bool FindDialog();
    void NotePhase(double& dPhase);

    CStopwatch m_sinceStart;
    SStartPhases m_phases;
    PROCESS_INFORMATION m_process = {};
    HWND m_hDialog = nullptr;
};
