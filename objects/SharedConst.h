// An unchanging value that copies share, counted in the value itself so that each holder
// keeps one pointer.
#pragma once

#include <atomic>
#include <utility>

template <class T> class CSharedConst {
public:
    explicit CSharedConst(T value)
        : m_node(new Node { std::move(value), { 1 } })
    {
    }
    CSharedConst(const CSharedConst& other) noexcept
        : m_node(other.m_node)
    {
        Retain(m_node);
    }
    CSharedConst& operator=(const CSharedConst& other) noexcept
    {
        Node* old = m_node;
        m_node = other.m_node;
        Retain(m_node);
        Release(old);
        return *this;
    }
    ~CSharedConst() { Release(m_node); }

    const T& operator*() const { return m_node->value; }
    const T* operator->() const { return &m_node->value; }

private:
    struct Node {
        T value;
        std::atomic<long> refs;
    };

    static void Retain(Node* node) { node->refs.fetch_add(1, std::memory_order_relaxed); }
    static void Release(Node* node)
    {
        if (node->refs.fetch_sub(1, std::memory_order_acq_rel) == 1)
            delete node;
    }

    Node* m_node;
};
