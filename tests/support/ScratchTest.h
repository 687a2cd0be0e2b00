// A test with a fresh folder of its own, removed afterwards.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

class CScratchTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_dir = std::filesystem::temp_directory_path() /
                ("adagio-" + std::to_string(std::random_device()()));
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    std::string Write(const std::string& strName, const std::string& strBytes) const
    {
        const std::string strPath = (m_dir / strName).string();
        std::ofstream(strPath, std::ios::binary) << strBytes;
        return strPath;
    }

    std::filesystem::path m_dir;
};
