#pragma once

#include <windows.h>

#include <cstddef>

class CCmdTarget;

// Cracks the message parameters for one handler and calls it.
using PMessageThunk = LRESULT (*)(CCmdTarget* pTarget, WPARAM wParam, LPARAM lParam);

struct CMessageEntry {
    UINT nMessage;
    UINT nCode; // notification code; WM_COMMAND entries only
    UINT nID;   // control or command identifier; WM_COMMAND entries only
    PMessageThunk pfnThunk;
};

// A static table of entries chained to the map of the base class.
class CMessageMap {
public:
    explicit CMessageMap(const CMessageMap* pBaseMap = nullptr)
        : m_pEntries(nullptr), m_nCount(0), m_pBaseMap(pBaseMap)
    {
    }
    template <std::size_t N>
    CMessageMap(const CMessageEntry (&entries)[N], const CMessageMap* pBaseMap)
        : m_pEntries(entries), m_nCount(N), m_pBaseMap(pBaseMap)
    {
    }

    // The first entry for the message in this map or a base map.
    const CMessageEntry* Find(UINT nMessage, WPARAM wParam) const;

private:
    const CMessageEntry* m_pEntries;
    std::size_t m_nCount;
    const CMessageMap* m_pBaseMap;
};

// Anything that owns a message map: windows and the application object.
class CCmdTarget {
public:
    CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;
    virtual ~CCmdTarget() = default;

    virtual const CMessageMap* GetMessageMap() const;

    // Runs the mapped handler, if any; false when the map has no entry.
    bool HandleMessage(UINT nMessage, WPARAM wParam, LPARAM lParam, LRESULT& lResult);
};

namespace MessageCrack {

template <class C> LRESULT Call(C* p, void (C::*pfn)(), WPARAM, LPARAM)
{
    (p->*pfn)();
    return 0;
}

template <class C> LRESULT Call(C* p, HCURSOR (C::*pfn)(), WPARAM, LPARAM)
{
    return reinterpret_cast<LRESULT>((p->*pfn)());
}

template <class C> LRESULT Call(C* p, void (C::*pfn)(UINT_PTR), WPARAM wParam, LPARAM)
{
    (p->*pfn)(static_cast<UINT_PTR>(wParam));
    return 0;
}

template <class C> LRESULT Call(C* p, void (C::*pfn)(WINDOWPOS*), WPARAM, LPARAM lParam)
{
    (p->*pfn)(reinterpret_cast<WINDOWPOS*>(lParam));
    return 0;
}

template <class C> LRESULT Call(C* p, void (C::*pfn)(BOOL, DWORD), WPARAM wParam, LPARAM lParam)
{
    (p->*pfn)(static_cast<BOOL>(wParam), static_cast<DWORD>(lParam));
    return 0;
}

template <class C> LRESULT Call(C* p, void (C::*pfn)(HWND), WPARAM wParam, LPARAM)
{
    (p->*pfn)(reinterpret_cast<HWND>(wParam));
    return 0;
}

template <class C> LRESULT Call(C* p, void (C::*pfn)(BOOL, UINT), WPARAM wParam, LPARAM lParam)
{
    (p->*pfn)(static_cast<BOOL>(wParam), static_cast<UINT>(lParam));
    return 0;
}

template <class C> LRESULT Call(C* p, int (C::*pfn)(CREATESTRUCTA*), WPARAM, LPARAM lParam)
{
    return (p->*pfn)(reinterpret_cast<CREATESTRUCTA*>(lParam));
}

template <class C>
LRESULT Call(C* p, void (C::*pfn)(UINT, HWND, BOOL), WPARAM wParam, LPARAM lParam)
{
    (p->*pfn)(LOWORD(wParam), reinterpret_cast<HWND>(lParam), HIWORD(wParam) != 0);
    return 0;
}

template <class T> struct CHandlerClass;
template <class C, class R, class... A> struct CHandlerClass<R (C::*)(A...)> {
    using Type = C;
};

template <auto F> LRESULT Thunk(CCmdTarget* pTarget, WPARAM wParam, LPARAM lParam)
{
    using Class = typename CHandlerClass<decltype(F)>::Type;
    return Call(static_cast<Class*>(pTarget), F, wParam, lParam);
}

} // namespace MessageCrack

// A window message handled by member F, its parameters cracked by F's signature.
template <auto F> constexpr CMessageEntry MapMessage(UINT nMessage)
{
    return {nMessage, 0, 0, &MessageCrack::Thunk<F>};
}

// A WM_COMMAND from control or command nID with notification nCode.
template <auto F> constexpr CMessageEntry MapCommand(UINT nID, UINT nCode = BN_CLICKED)
{
    return {WM_COMMAND, nCode, nID, &MessageCrack::Thunk<F>};
}
