// One tag of an Exif directory, decoded into a value text, a display text and the
// last number of its value.
#pragma once

#include "piclib/common/PLExifTables.h"
#include "piclib/common/PLObject.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class PLExifEntry : public PLObject {
public:
    using Bytes = std::shared_ptr<const std::vector<uint8_t>>;

    // bytes: count components of the format, already in host byte order.
    PLExifEntry(const PLExifTagRow* row, uint32_t tag, int format, uint32_t count, std::string key,
        Bytes bytes, uint32_t valueOffset);

    // Builds the value and display texts and the numbers from the value bytes.
    void Format();
    // Only the texts and numbers stay.
    void ReleaseValueBytes() { m_pValue.reset(); }

    const PLExifTagRow* GetTableRow() const { return m_pRow; }
    const PLExifFormatRow* GetFormatRow() const { return m_pFormat; }
    const char* GetDescription() const { return m_pRow ? m_pRow->description : ""; }
    const std::string& GetKey() const { return m_Key; }
    const std::string& GetLowerKey() const { return m_LowerKey; }
    void SetLowerKey(std::string key) { m_LowerKey = std::move(key); }
    uint32_t GetTag() const { return m_Tag; }
    int GetFormat() const { return m_Format; }
    uint32_t GetCount() const { return m_Count; }
    size_t GetByteSize() const { return m_ByteSize; }
    const Bytes& GetValueBytes() const { return m_pValue; }
    uint32_t GetValueOffset() const { return m_ValueOffset; }
    const std::string& GetValueText() const { return m_ValueText; }
    const std::string& GetDisplayText() const { return m_DisplayText; }
    void SetDisplayText(std::string text) { m_DisplayText = std::move(text); }
    // Both texts, as a value name replaces them.
    void SetTexts(const std::string& text) { m_ValueText = m_DisplayText = text; }
    int32_t GetNumerator() const { return m_Numerator; }
    int32_t GetDenominator() const { return m_Denominator; }
    int32_t GetIntValue() const { return m_IntValue; }
    double GetRealValue() const { return m_RealValue; }

private:
    size_t formatComponent(size_t index);
    void formatText();
    void formatBytes();
    void applyValueNames();

    const PLExifTagRow* m_pRow;
    const PLExifFormatRow* m_pFormat;
    std::string m_Key;
    std::string m_LowerKey;
    uint32_t m_Tag;
    int m_Format;
    uint32_t m_Count;
    size_t m_ByteSize;
    Bytes m_pValue;
    uint32_t m_ValueOffset;
    std::string m_ValueText;
    std::string m_DisplayText;
    int32_t m_Numerator = 0;
    int32_t m_Denominator = 1;
    int32_t m_IntValue = 0;
    double m_RealValue = 0;
};
