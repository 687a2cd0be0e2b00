#include "ProgramFolder.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace fs = std::filesystem;

namespace {

const char kExeName[] = "Adagiomill.exe";
const char kDefaultModuleName[] = "miscellaneous.adg";

// The build hands over Unix paths; under Wine the root of the Unix tree is drive Z:.
std::string ToWindowsPath(std::string strPath)
{
    std::replace(strPath.begin(), strPath.end(), '/', '\\');
    if (!strPath.empty() && strPath[0] == '\\')
        strPath.insert(0, "Z:");
    return strPath;
}

} // namespace

bool CProgramFolder::Create(const std::string& strName)
{
    const fs::path folder = fs::path(ToWindowsPath(ADAGIO_SCRATCH_DIR)) / strName;
    std::error_code ec;
    fs::remove_all(folder, ec);
    if (!fs::create_directories(folder, ec))
        return false;
    m_strPath = folder.string();
    return fs::copy_file(ToWindowsPath(ADAGIO_EXE), folder / kExeName, ec) &&
           fs::copy_file(ToWindowsPath(ADAGIO_DEFAULT_MODULE), folder / kDefaultModuleName, ec);
}

bool CProgramFolder::Write(const std::string& strName, const std::string& strBytes) const
{
    std::ofstream file(fs::path(m_strPath) / strName, std::ios::binary | std::ios::trunc);
    file.write(strBytes.data(), static_cast<std::streamsize>(strBytes.size()));
    return static_cast<bool>(file);
}

std::optional<std::string> CProgramFolder::Read(const std::string& strName) const
{
    std::ifstream file(fs::path(m_strPath) / strName, std::ios::binary);
    if (!file)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool CProgramFolder::Remove(const std::string& strName) const
{
    std::error_code ec;
    return fs::remove(fs::path(m_strPath) / strName, ec);
}
