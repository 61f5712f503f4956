#include "objects/DateText.h"

#include <cctype>

namespace {
constexpr char layout[] = "00.00.0000 00:00:00";
constexpr int layoutLength = sizeof layout - 1;

// 0 when the text is not in the layout.
uint64_t PackDigits(const CString& text)
{
    if (text.GetLength() != layoutLength)
        return 0;
    uint64_t digits = 0;
    for (int i = 0; i < layoutLength; ++i) {
        const char c = text[i];
        if (layout[i] != '0') {
            if (c != layout[i])
                return 0;
        } else if (!std::isdigit(static_cast<unsigned char>(c))) {
            return 0;
        } else {
            digits = digits * 10 + static_cast<uint64_t>(c - '0');
        }
    }
    return digits + 1;
}

CString UnpackDigits(uint64_t packed)
{
    char text[layoutLength + 1];
    uint64_t digits = packed - 1;
    for (int i = layoutLength - 1; i >= 0; --i) {
        if (layout[i] != '0') {
            text[i] = layout[i];
        } else {
            text[i] = static_cast<char>('0' + digits % 10);
            digits /= 10;
        }
    }
    text[layoutLength] = '\0';
    return CString(text);
}
}

CDateText::CDateText(const CDateText& other)
    : m_digits(other.m_digits)
    , m_text(other.m_text ? std::make_unique<CString>(*other.m_text) : nullptr)
{
}

CDateText& CDateText::operator=(const CDateText& other)
{
    if (&other != this)
        *this = other.Text();
    return *this;
}

CDateText& CDateText::operator=(const CString& text)
{
    if (m_text) {
        *m_text = text;
        return *this;
    }
    m_digits = PackDigits(text);
    if (m_digits == 0 && !text.IsEmpty())
        m_text = std::make_unique<CString>(text);
    return *this;
}

CString CDateText::Text() const
{
    if (m_text)
        return *m_text;
    return m_digits ? UnpackDigits(m_digits) : CString();
}

CString* CDateText::Edit()
{
    if (!m_text) {
        m_text = std::make_unique<CString>(Text());
        m_digits = 0;
    }
    return m_text.get();
}
