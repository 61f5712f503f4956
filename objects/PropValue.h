// The value handling that every typed property editor shares: an edited copy, the value
// saved when the editor was built and the object's field.
#pragma once

#include "objects/FontDescriptor.h"
#include "objects/HyperListFmt.h"
#include "objects/ObValue.h"
#include "objects/PropOb.h"

#include <type_traits>

template <typename T>
class CPropValue : public CPropOb {
public:
    CPropValue(UINT nameId, T* field, UINT arg = 0) : CPropOb(nameId, arg), m_field(field)
    {
        if (nameId != 0 && field) {
            Assign(m_edited, *field);
            Assign(m_saved, *field);
        }
    }

    BOOL IsEqual(const CPropOb* other) const override { return Same(m_edited, Peer(other).m_edited); }
    void CopyValueFrom(const CPropOb* other) override { Assign(m_edited, Peer(other).m_edited); }
    void Apply() override { Assign(*m_field, m_edited); }
    void ApplyFrom(const CPropOb* peer) override { Assign(*m_field, Peer(peer).m_edited); }
    void Restore() override { Assign(*m_field, m_saved); }
    BOOL Reload() override
    {
        if (Same(*m_field, m_edited))
            return FALSE;
        Assign(m_edited, *m_field);
        return TRUE;
    }

    T m_edited{};
    T m_saved{};
    T* m_field;

protected:
    static const CPropValue& Peer(const CPropOb* other) { return *static_cast<const CPropValue*>(other); }

    static bool Same(const T& a, const T& b)
    {
        if constexpr (std::is_base_of_v<CHyperListFmt, T>)
            return a.IsEqual(&b);
        else if constexpr (std::is_same_v<T, CFontDescriptor> || std::is_same_v<T, CObValue>)
            return a.IsEqual(b);
        else if constexpr (std::is_floating_point_v<T>)
            return !(a < b) && !(b < a);
        else
            return a == b;
    }

    static void Assign(T& destination, const T& source)
    {
        if constexpr (std::is_base_of_v<CHyperListFmt, T>)
            destination.CopyFrom(&source);
        else
            destination = source;
    }
};
