#include "projects/ProjOb.h"

#include "platform/core/File.h"

#include <algorithm>
#include <functional>

namespace {

CString Upper(CString text)
{
    return text.MakeUpper();
}

// The creation time of the file, or 0 when its status cannot be read, so that such files
// come first in a steady order.
time_t CreationTime(const CString& path)
{
    CFileStatus status;
    return CFile::GetStatus(path, status) ? status.m_ctime.GetTime() : 0;
}

// Passes of neighbour swaps until nothing moves: equal keys keep their order.
template <class Key>
void BubbleSort(int count, Key key, const std::function<void(int, int)>& swap)
{
    for (bool moved = true; moved;) {
        moved = false;
        for (int i = 0; i + 1 < count; ++i)
            if (key(i + 1) < key(i)) {
                swap(i, i + 1);
                moved = true;
            }
    }
}

} // namespace

void CProjOb::SwapMembers(int a, int b)
{
    CString text = m_paths[a];
    m_paths[a] = m_paths[b];
    m_paths[b] = text;
    text = m_titles[a];
    m_titles[a] = m_titles[b];
    m_titles[b] = text;
    std::swap(m_entries[static_cast<size_t>(a)], m_entries[static_cast<size_t>(b)]);
    if (b < m_labels.GetSize() && static_cast<size_t>(b) < m_memberItems.size()) {
        text = m_labels[a];
        m_labels[a] = m_labels[b];
        m_labels[b] = text;
    }
}

void CProjOb::SortByName()
{
    const int subs = static_cast<int>(m_subprojects.size());
    BubbleSort(subs, [this](int i) { return std::string(Upper(m_subprojects[size_t(i)]->m_name)); },
               [this](int a, int b) { std::swap(m_subprojects[size_t(a)], m_subprojects[size_t(b)]); });
    BubbleSort(MemberCount(), [this](int i) { return std::string(Upper(m_titles[i])); },
               [this](int a, int b) { SwapMembers(a, b); });
}

void CProjOb::SortByDate()
{
    const int subs = static_cast<int>(m_subprojects.size());
    BubbleSort(subs, [this](int i) { return CreationTime(m_subprojects[size_t(i)]->m_filePath); },
               [this](int a, int b) { std::swap(m_subprojects[size_t(a)], m_subprojects[size_t(b)]); });
    BubbleSort(MemberCount(), [this](int i) { return CreationTime(GetMemberPath(i)); },
               [this](int a, int b) { SwapMembers(a, b); });
}
