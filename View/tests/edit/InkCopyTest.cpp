// Ink stored on the page travels as ink: a stroke object copied with the page selection is
// pasted by the ink layer, in the same and in another document, with the points it had. A
// selection without ink carries none, and ink on the clipboard that cannot be read pastes
// nothing and says so.
#include "EditCommandFixture.h"

#include "View/CatView.h"
#include "objects/kinds/StrokeOb.h"
#include "platform/core/GlobalMemory.h"
#include "platform/ink/InkDataObject.h"
#include "platform/ink/InkOverlay.h"
#include "platform/ole/OleDataSource.h"
#include "platform/ui/TestHook.h"

#include <cstring>
#include <utility>

namespace {

constexpr UINT kLayer = CNotesView::CmdEnableInkLayer;

// A stroke's points measured from the corner of a bounding box.
std::vector<std::pair<LONG, LONG>> PointsFrom(const InkStrokeDisp& stroke, const RECT& box)
{
    std::vector<std::pair<LONG, LONG>> points;
    for (const POINT& p : stroke.Points())
        points.emplace_back(p.x - box.left, p.y - box.top);
    return points;
}

class InkCopyTest : public EditCommandTest {
protected:
    // Ink drawn on the layer and stored as one stroke object, selected alone.
    CStrokeOb* DrawStrokeObject()
    {
        Toggle(view);
        Drag({200, 200}, {260, 230}, 8);
        Toggle(view);
        EXPECT_EQ(ObjectCount(), 1);
        auto* stroke = dynamic_cast<CStrokeOb*>(Object(0));
        if (stroke)
            view->SelectOnly(0);
        return stroke;
    }
    void Toggle(CMyView* target)
    {
        target->SendMessage(WM_COMMAND, kLayer);
        Pump();
    }
    // Pastes on the target's ink layer, as the menu and the keys route Paste, and gives the
    // pasted strokes.
    InkStrokes PasteOnLayer(CMyView* target)
    {
        if (!target->IsInkEnabled())
            Toggle(target);
        target->OnCmdMsg(CHyperView::CmdPaste, CN_COMMAND, nullptr, nullptr);
        Pump();
        return target->GetInkOverlay().Selection();
    }
    void ExpectSameInk(const InkStrokes& pasted, const InkDisp& copied)
    {
        ASSERT_EQ(pasted.Count(), copied.StrokeCount());
        const RECT pastedBox = pasted.GetBoundingBox();
        EXPECT_EQ(pastedBox.left, 0) << "pasted ink lands at the window's corner";
        EXPECT_EQ(pastedBox.top, 0);
        const RECT copiedBox = const_cast<InkDisp&>(copied).GetBoundingBox();
        for (size_t i = 0; i < pasted.Count(); ++i) {
            const auto& stroke = *const_cast<InkDisp&>(copied).Strokes().Item(i);
            EXPECT_EQ(PointsFrom(*pasted.Item(i), pastedBox), PointsFrom(stroke, copiedBox)) << i;
            EXPECT_EQ(pasted.Item(i)->DrawingAttributes(), stroke.DrawingAttributes()) << i;
        }
    }
    // Something on the clipboard under the ink format.
    static void OfferInkBlock(const std::vector<BYTE>& bytes)
    {
        auto* source = new COleDataSource;
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
        if (!bytes.empty())
            std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
        GlobalUnlock(block);
        source->CacheGlobalData(static_cast<CLIPFORMAT>(InkClipboardFormat()), block);
        source->SetClipboard();
    }
};

TEST_F(InkCopyTest, AStrokeObjectCopiedOnThePagePastesAsInkHereAndInAnotherDocument)
{
    CStrokeOb* stroke = DrawStrokeObject();
    ASSERT_NE(stroke, nullptr);
    const std::shared_ptr<InkDisp> copied = stroke->GetInk()->Clone();
    ASSERT_TRUE(Run(CHyperView::CmdCopy));
    EXPECT_TRUE(IsClipboardFormatAvailable(CHyperView::GetPrivateFormat()));
    ASSERT_TRUE(IsClipboardFormatAvailable(InkClipboardFormat()));

    ExpectSameInk(PasteOnLayer(view), *copied);
    EXPECT_EQ(view->GetInkOverlay().Ink()->StrokeCount(), 2 * copied->StrokeCount()) << "the layer's own ink stays";

    CMyView* other = OpenSecondView();
    ExpectSameInk(PasteOnLayer(other), *copied);
    Toggle(other);
    EXPECT_EQ(other->GetObjects().GetSize(), 1) << "the pasted ink is stored on the other page";
}

TEST_F(InkCopyTest, EveryDataSourceOfASelectionWithInkCarriesTheInk)
{
    CStrokeOb* stroke = DrawStrokeObject();
    ASSERT_NE(stroke, nullptr);
    Add("A", CRect(400, 400, 450, 450));
    std::unique_ptr<COleDataSource, void (*)(COleDataSource*)> catalogue(
        view->MakeDataSource({stroke, Named("A")}), [](COleDataSource* s) { s->InternalRelease(); });
    ASSERT_NE(catalogue, nullptr);
    std::vector<BYTE> bytes;
    ASSERT_TRUE(catalogue->RenderBytes(InkClipboardFormat(), bytes));
    auto ink = InkDisp::Create();
    ASSERT_TRUE(ink->Load(bytes));
    EXPECT_EQ(ink->StrokeCount(), stroke->GetInk()->StrokeCount());

    stroke->LayerID = 0;  // ink moved off the notice layers is a drawing like any other
    std::unique_ptr<COleDataSource, void (*)(COleDataSource*)> drawing(
        view->MakeDataSource({stroke}), [](COleDataSource* s) { s->InternalRelease(); });
    EXPECT_FALSE(drawing->RenderBytes(InkClipboardFormat(), bytes));
}

TEST_F(InkCopyTest, ACopyWithoutStrokeObjectsCarriesNoInk)
{
    Add("A", CRect(100, 100, 150, 150));
    Select({"A"});
    ASSERT_TRUE(Run(CHyperView::CmdCopy));
    EXPECT_TRUE(IsClipboardFormatAvailable(CHyperView::GetPrivateFormat()));
    EXPECT_FALSE(IsClipboardFormatAvailable(InkClipboardFormat()));
}

TEST_F(InkCopyTest, InkThatCannotBeReadPastesNothingAndIsReported)
{
    auto sample = InkDisp::Create();
    sample->CreateStroke({{0, 0}, {500, 500}});
    const std::vector<BYTE> good = sample->Save();
    std::vector<BYTE> damaged = good;
    damaged[4] = 9;  // a version no reader knows
    const std::vector<std::vector<BYTE>> blocks = {
        std::vector<BYTE>(good.begin(), good.end() - 3), damaged, {'V', 'I', 'N'}};
    Toggle(view);
    for (const auto& block : blocks) {
        OfferInkBlock(block);
        UiTestHook::QueueMessageBoxAnswer(IDOK);
        const int boxes = UiTestHook::MessageBoxCount();
        view->SendMessage(WM_COMMAND, CHyperView::CmdPaste);
        Pump();
        EXPECT_EQ(UiTestHook::MessageBoxCount(), boxes + 1) << block.size();
        EXPECT_EQ(view->GetInkOverlay().Ink()->StrokeCount(), 0u);
    }
    Toggle(view);
    EXPECT_EQ(ObjectCount(), 0);
    EXPECT_FALSE(doc->IsModified());
}

} // namespace
