#include "FuzzWorkDir.h"

#include "FuzzCheck.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <unistd.h>

namespace {

std::filesystem::path g_workDir;

void RemoveWorkDir()
{
    std::error_code error;
    std::filesystem::current_path(g_workDir.parent_path(), error);
    std::filesystem::remove_all(g_workDir, error);
}

struct SFileCloser {
    void operator()(std::FILE* pFile) const { std::fclose(pFile); }
};
using FilePtr = std::unique_ptr<std::FILE, SFileCloser>;

} // namespace

void EnterPrivateWorkDir()
{
    std::string strTemplate =
        (std::filesystem::temp_directory_path() / "adagio-fuzz-XXXXXX").string();
    FUZZ_CHECK(mkdtemp(strTemplate.data()) != nullptr);
    g_workDir = strTemplate;
    std::filesystem::current_path(g_workDir);
    std::atexit(RemoveWorkDir);
}

void WriteFileBytes(const char* pszName, const std::string& strBytes)
{
    FilePtr file(std::fopen(pszName, "wb"));
    FUZZ_CHECK(file != nullptr);
    FUZZ_CHECK(std::fwrite(strBytes.data(), 1, strBytes.size(), file.get()) == strBytes.size());
}

std::string ReadFileStart(const std::string& strPath, std::size_t nMax)
{
    FilePtr file(std::fopen(strPath.c_str(), "rb"));
    std::string strBytes(nMax, '\0');
    const std::size_t nGot = file ? std::fread(strBytes.data(), 1, nMax, file.get()) : 0;
    strBytes.resize(nGot);
    return strBytes;
}

bool IsReadableFile(const std::string& strPath)
{
    std::error_code error;
    return std::filesystem::is_regular_file(strPath, error) &&
           FilePtr(std::fopen(strPath.c_str(), "rb")) != nullptr;
}
