// A program folder of its own for each test: the executable, the default module and
// whatever settings or modules the test puts beside them.
#pragma once

#include <optional>
#include <string>

class CProgramFolder {
public:
    // Empties the folder left by an earlier run of the same test, then lays it out afresh.
    bool Create(const std::string& strName);

    const std::string& Path() const { return m_strPath; }

    // Names are taken within the folder; a full path stands as it is.
    bool Write(const std::string& strName, const std::string& strBytes) const;
    // The file's bytes as they are on disk; nothing when it cannot be read.
    std::optional<std::string> Read(const std::string& strName) const;
    bool Remove(const std::string& strName) const;

private:
    std::string m_strPath;
};
