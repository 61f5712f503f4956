// The line width, dash style and arrow buttons as the bar state keeps them: made by name with
// their defaults, their values written byte for byte and read back, a short record refused.
#include "shell/ControlButtons.h"

#include "UiFixture.h"
#include "platform/core/tests/ArchiveBytes.h"

#include <functional>
#include <string>

namespace {

struct ButtonCase {
    const char* className;
    std::function<CXTPControl*()> make;   // a button with a value set
    Bytes record;                         // what it writes
    std::function<double(CXTPControl*)> value;
    double stored;
};

template <typename Button>
double valueOf(CXTPControl* control)
{
    return static_cast<double>(static_cast<Button*>(control)->GetValue());
}

const ButtonCase kCases[] = {
    {"CControlButtonLine", [] { return new CControlButtonLine(2.5); },
     {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x04, 0x40}, // 2.5 as a little-endian double
     [](CXTPControl* c) { return static_cast<CControlButtonLine*>(c)->GetWidth(); }, 2.5},
    {"CControlButtonStyle", [] { return new CControlButtonStyle(27172); }, {0x24, 0x6A, 0x00, 0x00},
     valueOf<CControlButtonStyle>, 27172},
    {"CControlButtonArrow", [] { return new CControlButtonArrow(27189); }, {0x35, 0x6A, 0x00, 0x00},
     valueOf<CControlButtonArrow>, 27189},
};

class PreviewButtonRecordsTest : public UiTest {};

TEST_F(PreviewButtonRecordsTest, ValuesAreWrittenAndReadByteForByte)
{
    for (const ButtonCase& c : kCases) {
        CXTPControl* source = c.make();
        EXPECT_EQ(StoreBytes([&](CArchive& ar) { source->Serialize(ar); }), c.record) << c.className;
        source->InternalRelease();

        CRuntimeClass* byName = CRuntimeClass::FromName(c.className);
        ASSERT_NE(byName, nullptr) << c.className;
        auto* read = static_cast<CXTPControl*>(byName->CreateObject());
        LoadBytes(c.record, [&](CArchive& ar) { read->Serialize(ar); });
        EXPECT_EQ(c.value(read), c.stored) << c.className;

        // A record cut short is refused and leaves the value as it was.
        auto* intact = static_cast<CXTPControl*>(byName->CreateObject());
        const double before = c.value(intact);
        const Bytes part(c.record.begin(), c.record.end() - 1);
        EXPECT_NE(ArchiveCause([&] { LoadBytes(part, [&](CArchive& ar) { intact->Serialize(ar); }); }), -1) << c.className;
        EXPECT_EQ(c.value(intact), before) << c.className;
        intact->InternalRelease();
        read->InternalRelease();
    }
}

TEST_F(PreviewButtonRecordsTest, CreationFunctionsMakeButtonsWithoutAValue)
{
    CControlButtonLine* line = CControlButtonLine::CreateControl(27176, 3);
    CControlButtonStyle* style = CControlButtonStyle::CreateControl(27169, 4);
    CControlButtonArrow* arrow = CControlButtonArrow::CreateControl(27186, 5);
    EXPECT_EQ(line->GetID(), 27176u);
    EXPECT_EQ(line->GetParameter(), 3u);
    EXPECT_EQ(line->GetWidth(), -1.0);
    EXPECT_EQ(style->GetID(), 27169u);
    EXPECT_EQ(style->GetValue(), 0);
    EXPECT_EQ(arrow->GetParameter(), 5u);
    EXPECT_EQ(arrow->GetValue(), 0);
    for (CXTPControl* made : std::initializer_list<CXTPControl*>{line, style, arrow})
        made->InternalRelease();
}

} // namespace
