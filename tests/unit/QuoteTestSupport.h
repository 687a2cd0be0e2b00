// Shared by the quote-data tests: a recording view, a fixed clock, a scratch directory.
#pragma once

#include "QuoteState.h"
#include "RecordingView.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

inline void WriteBytes(const std::string& strPath, const std::string& strBytes)
{
    std::ofstream(strPath, std::ios::binary) << strBytes;
}

// Each test runs in a fresh, empty current directory that is removed afterwards.
class CScratchDirTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto nTicks = std::chrono::steady_clock::now().time_since_epoch().count();
        m_dir = std::filesystem::temp_directory_path() / ("adagio-" + std::to_string(nTicks));
        std::filesystem::create_directories(m_dir);
        m_previous = std::filesystem::current_path();
        std::filesystem::current_path(m_dir);
        m_state.m_pfnClock = [] { return std::int64_t{1700000000}; };
    }
    void TearDown() override
    {
        std::filesystem::current_path(m_previous);
        std::filesystem::remove_all(m_dir);
    }

    CQuoteState m_state;
    CRecordingView m_view;
    std::filesystem::path m_dir, m_previous;
};
