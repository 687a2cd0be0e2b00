// A module file rewritten over and over by a thread of the test, in place, the way an
// editor saves: truncated, then written whole.
#pragma once

#include <atomic>
#include <string>
#include <thread>
#include <vector>

class CModuleRewriter {
public:
    // Cycles through the versions until the object dies.
    CModuleRewriter(std::string strPath, std::vector<std::string> versions);
    CModuleRewriter(const CModuleRewriter&) = delete;
    CModuleRewriter& operator=(const CModuleRewriter&) = delete;
    ~CModuleRewriter();

    unsigned Rewrites() const { return m_nRewrites; }

private:
    void Run();
    bool Rewrite(const std::string& strContent) const;

    std::string m_strPath;
    std::vector<std::string> m_versions;
    std::atomic<bool> m_bStop{false};
    std::atomic<unsigned> m_nRewrites{0};
    std::thread m_thread;
};
