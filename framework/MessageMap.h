#pragma once

#include <windows.h>

#include <cstddef>
#include <type_traits>

class CCmdTarget;

// Cracks the message parameters for one handler and calls it.
using PMessageThunk = LRESULT (*)(CCmdTarget* pTarget, WPARAM wParam, LPARAM lParam);

struct CMessageEntry {
    UINT nMessage;
    UINT nCode; // notification code; WM_COMMAND entries only
    UINT nID;   // control or command identifier; WM_COMMAND entries only
    PMessageThunk pfnThunk;
};

// A static table of entries chained to the map of the base class (null at the root).
class CMessageMap {
public:
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

    virtual const CMessageMap* GetMessageMap() const { return nullptr; }

    // Runs the mapped handler, if any; false when the map has no entry.
    bool HandleMessage(UINT nMessage, WPARAM wParam, LPARAM lParam, LRESULT& lResult);
};

// Cracks the parameters of a message for each handler signature in use; a
// handler of any other signature does not compile.
struct CMessageCracker {
    template <class C, class R, class... A, class... P>
    static LRESULT Invoke(C* p, R (C::*pfn)(A...), P... params)
    {
        if constexpr (std::is_void_v<R>) {
            (p->*pfn)(static_cast<A>(params)...);
            return 0;
        } else if constexpr (std::is_pointer_v<R>) {
            return reinterpret_cast<LRESULT>((p->*pfn)(static_cast<A>(params)...));
        } else {
            return static_cast<LRESULT>((p->*pfn)(static_cast<A>(params)...));
        }
    }

    template <class C, class R> static LRESULT Call(C* p, R (C::*pfn)(), WPARAM, LPARAM)
    {
        return Invoke(p, pfn);
    }
    template <class C> static LRESULT Call(C* p, void (C::*pfn)(UINT_PTR), WPARAM w, LPARAM)
    {
        return Invoke(p, pfn, w);
    }
    template <class C> static LRESULT Call(C* p, void (C::*pfn)(HWND), WPARAM w, LPARAM)
    {
        return Invoke(p, pfn, reinterpret_cast<HWND>(w));
    }
    template <class C> static LRESULT Call(C* p, void (C::*pfn)(WINDOWPOS*), WPARAM, LPARAM l)
    {
        return Invoke(p, pfn, reinterpret_cast<WINDOWPOS*>(l));
    }
    template <class C> static LRESULT Call(C* p, int (C::*pfn)(CREATESTRUCTW*), WPARAM, LPARAM l)
    {
        return Invoke(p, pfn, reinterpret_cast<CREATESTRUCTW*>(l));
    }
    template <class C> static LRESULT Call(C* p, void (C::*pfn)(BOOL, DWORD), WPARAM w, LPARAM l)
    {
        return Invoke(p, pfn, w, l);
    }
    template <class C> static LRESULT Call(C* p, void (C::*pfn)(BOOL, UINT), WPARAM w, LPARAM l)
    {
        return Invoke(p, pfn, w, l);
    }
    template <class C> static LRESULT Call(C* p, void (C::*pfn)(UINT, LPARAM), WPARAM w, LPARAM l)
    {
        return Invoke(p, pfn, w, l);
    }
    template <class C>
    static LRESULT Call(C* p, void (C::*pfn)(UINT, HWND, BOOL), WPARAM w, LPARAM l)
    {
        return Invoke(p, pfn, LOWORD(w), reinterpret_cast<HWND>(l), HIWORD(w));
    }
};

template <class T> struct CHandlerClass;
template <class C, class R, class... A> struct CHandlerClass<R (C::*)(A...)> {
    using Type = C;
};

template <auto F> LRESULT CallHandler(CCmdTarget* pTarget, WPARAM wParam, LPARAM lParam)
{
    using Class = typename CHandlerClass<decltype(F)>::Type;
    return CMessageCracker::Call(static_cast<Class*>(pTarget), F, wParam, lParam);
}

// A window message handled by member F, its parameters cracked by F's signature.
template <auto F> constexpr CMessageEntry MapMessage(UINT nMessage)
{
    return {nMessage, 0, 0, &CallHandler<F>};
}

// A WM_COMMAND from control or command nID with notification nCode.
template <auto F> constexpr CMessageEntry MapCommand(UINT nID, UINT nCode = BN_CLICKED)
{
    return {WM_COMMAND, nCode, nID, &CallHandler<F>};
}
