#include "MessageMap.h"

namespace {

bool Matches(const CMessageEntry& entry, UINT nMessage, WPARAM wParam)
{
    if (entry.nMessage != nMessage)
        return false;
    return nMessage != WM_COMMAND || (entry.nID == LOWORD(wParam) && entry.nCode == HIWORD(wParam));
}

} // namespace

const CMessageEntry* CMessageMap::Find(UINT nMessage, WPARAM wParam) const
{
    for (const CMessageMap* pMap = this; pMap != nullptr; pMap = pMap->m_pBaseMap) {
        for (std::size_t i = 0; i < pMap->m_nCount; ++i) {
            if (Matches(pMap->m_pEntries[i], nMessage, wParam))
                return &pMap->m_pEntries[i];
        }
    }
    return nullptr;
}

bool CCmdTarget::HandleMessage(UINT nMessage, WPARAM wParam, LPARAM lParam, LRESULT& lResult)
{
    const CMessageMap* pMap = GetMessageMap();
    const CMessageEntry* pEntry = pMap != nullptr ? pMap->Find(nMessage, wParam) : nullptr;
    if (pEntry == nullptr)
        return false;
    lResult = pEntry->pfnThunk(this, wParam, lParam);
    return true;
}
