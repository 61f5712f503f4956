#include "CatalogueTestKit.h"

#include "imaging/Dib.h"
#include "imaging/tests/BmpBytes.h"
#include "platform/core/MemFile.h"
#include "platform/gdi/Icon.h"
#include "platform/gdi/tests/Canvas.h"
#include "platform/ole/OleDataObject.h"
#include "platform/ole/OleDataSource.h"
#include "platform/ui/TestHook.h"

#include <gtest/gtest.h>

namespace {

// A plain-coloured 24-bit picture.
void SolidDib(CDib& dib, int width, int height, COLORREF colour)
{
    const int stride = (width * 3 + 3) & ~3;
    Bytes pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            pixels.insert(pixels.end(), {GetBValue(colour), GetGValue(colour), GetRValue(colour)});
        pixels.resize(pixels.size() + static_cast<size_t>(stride - width * 3));
    }
    const uint32_t size = static_cast<uint32_t>(pixels.size());
    const Bytes image = Concat({FileHeader(54 + size, 54), InfoHeader(width, height, 24, 0, size), pixels});
    LoadBytes(DibRecord(image), [&](CArchive& ar) { dib.Serialize(ar); });
}

// The mask drawn as text: '#' opaque, '.' transparent.
std::string MaskArt(const CCatalogueOb& entry)
{
    const CDib* mask = entry.GetIconMask();
    Canvas canvas(mask->GetWidth(), mask->GetHeight());
    mask->Draw(&canvas.dc, 0, 0);
    return canvas.Art();
}

std::string Rows(int count, const std::string& row)
{
    std::string art;
    for (int i = 0; i < count; ++i)
        art += row + "\n";
    return art;
}

TEST(CatalogueOb, ClipboardDataKeepsItsFormatAndBytes)
{
    CCatalogueOb entry;
    const UINT named = RegisterClipboardFormatA("Vantrel Test Format");
    HGLOBAL text = GlobalBlock("abc"), privateBlock = GlobalBlock(std::string("\x01\x02", 2)), again = GlobalBlock("x");
    entry.AddClipboardData(CF_TEXT, text);
    entry.AddClipboardData(named, privateBlock);
    entry.AddClipboardData(CF_TEXT, again);
    GlobalFree(text);
    GlobalFree(privateBlock);
    GlobalFree(again);

    ASSERT_EQ(entry.GetFormatCount(), 2) << "a second block of a format is not taken";
    EXPECT_EQ(entry.GetFormatId(0), CF_TEXT);
    EXPECT_EQ(entry.GetFormatName(0), "");
    EXPECT_EQ(entry.GetData(0), Bytes({'a', 'b', 'c'}));
    EXPECT_EQ(entry.GetFormatId(1), named & 0xFFFF);
    EXPECT_EQ(entry.GetFormatName(1), "Vantrel Test Format");
    EXPECT_EQ(entry.GetPartOffset(CCatalogueOb::DataPart), 0u);
}

TEST(CatalogueOb, NamedDataReplacesItsFormerBlockAtTheEnd)
{
    CCatalogueOb entry;
    entry.AddNamedData("First", "1", 1);
    entry.AddNamedData("Second", "2", 1);
    entry.AddNamedData("First", "33", 2);
    ASSERT_EQ(entry.GetFormatCount(), 2);
    EXPECT_EQ(entry.FindFormat("Second"), 0);
    EXPECT_EQ(entry.FindFormat("First"), 1);
    EXPECT_EQ(entry.GetData(1), Bytes({'3', '3'}));
    EXPECT_EQ(entry.FindFormat("first"), -1);
    EXPECT_EQ(entry.RemoveFormat("Second"), 0);
    EXPECT_EQ(entry.RemoveFormat("Second"), -1);
    EXPECT_FALSE(entry.IsPropertyObject());
    entry.AddNamedData(CCatalogueOb::PropertyFormatName, "", 1);
    EXPECT_TRUE(entry.IsPropertyObject());
}

// The receiver sees the whole entry first, then each stored representation; a named format
// goes under the number its name has here, whatever number was stored.
TEST(CatalogueOb, ADataSourceOffersTheEntryAndEveryRepresentation)
{
    CCatalogueOb entry;
    entry.SetName("Both");
    HGLOBAL text = GlobalBlock("words");
    entry.AddClipboardData(CF_TEXT, text);
    GlobalFree(text);
    entry.AddNamedData("Vantrel Other Format", "zz", 2);

    COleDataSource source;
    entry.CacheInDataSource(&source);
    entry.PutAllFormats(&source);
    const std::vector<UINT> offered = source.OfferedFormats();
    ASSERT_EQ(offered.size(), 3u);
    EXPECT_EQ(offered[0], CatalogueObjectFormat());
    EXPECT_EQ(offered[1], CF_TEXT);
    EXPECT_EQ(offered[2], RegisterClipboardFormatA("Vantrel Other Format"));

    COleDataObject data;
    data.AttachSource(source.MakeClipSource());
    HGLOBAL block = data.GetGlobalData(static_cast<CLIPFORMAT>(CatalogueObjectFormat()));
    ASSERT_NE(block, nullptr);
    CCatalogueOb* copy = CCatalogueOb::FromGlobal(block);
    GlobalFree(block);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetName(), "Both");
    EXPECT_EQ(copy->GetData(0), Bytes({'w', 'o', 'r', 'd', 's'}));
    EXPECT_EQ(copy->GetFormatName(1), "Vantrel Other Format");
    delete copy;
}

TEST(CatalogueOb, ABlockThatIsNoEntryGivesNothing)
{
    const std::string entryStart("\xFF\xFF\x01\x00\x0C\x00" "CCatalogueOb" "\x00\x00\x00\x00\x00\x00\x00", 25);
    const std::string emptyDib("\xFF\xFF\x01\x00\x04\x00" "CDib" "\x42\x41\x00\x00\x00\x00", 16);
    const std::string maskIsTheImage = entryStart + emptyDib + std::string("\x04\x00", 2);
    for (const std::string& bytes : {std::string(), std::string("\xFF\xFF\x01\x00\x04\x00" "CDib", 10),
                                     std::string("\xFF\xFF\x01\x00\x0C\x00" "CCatalogueOb\x05\x00", 20),
                                     maskIsTheImage}) {
        HGLOBAL block = GlobalBlock(bytes);
        EXPECT_EQ(CCatalogueOb::FromGlobal(block), nullptr);
        GlobalFree(block);
    }
}

TEST(CatalogueOb, ASmallPictureSitsInTheMiddleOfATransparentSquare)
{
    CDib picture;
    SolidDib(picture, 16, 16, RGB(255, 0, 0));
    CCatalogueOb entry;
    entry.SetIconFromDib(&picture, nullptr, 32);
    ASSERT_NE(entry.GetIconImage(), nullptr);
    EXPECT_EQ(entry.GetIconImage()->GetBitCount(), 24u);
    EXPECT_EQ(entry.GetIconMask()->GetBitCount(), 1u);
    const std::string transparent(32, '.');
    const std::string middle = std::string(8, '.') + std::string(16, '#') + std::string(8, '.');
    EXPECT_EQ(MaskArt(entry), Rows(8, transparent) + Rows(16, middle) + Rows(8, transparent));

    Canvas canvas(40, 40, RGB(0, 0, 255));
    entry.DrawIcon(&canvas.dc, 4, 4, 32);
    EXPECT_EQ(canvas.Pixel(4 + 8, 4 + 8), RGB(255, 0, 0));
    EXPECT_EQ(canvas.Pixel(4 + 23, 4 + 23), RGB(255, 0, 0));
    EXPECT_EQ(canvas.Pixel(4 + 7, 4 + 7), RGB(0, 0, 255)) << "transparent parts keep what was there";
    EXPECT_EQ(canvas.Pixel(4 + 24, 4 + 8), RGB(0, 0, 255));
}

TEST(CatalogueOb, ALargePictureIsSqueezedIntoAnOpaqueSquare)
{
    CDib picture;
    SolidDib(picture, 33, 10, RGB(0, 255, 0));
    CCatalogueOb entry;
    entry.SetIconFromDib(&picture, nullptr, 32);
    EXPECT_EQ(MaskArt(entry), Rows(32, std::string(32, '#')));
    Canvas canvas(32, 32);
    entry.GetIconImage()->Draw(&canvas.dc, 0, 0);
    EXPECT_EQ(canvas.Pixel(0, 0), RGB(0, 255, 0));
    EXPECT_EQ(canvas.Pixel(31, 31), RGB(0, 255, 0));
}

TEST(CatalogueOb, AMaskOfAnotherSizeIsIgnored)
{
    CDib picture, mask;
    SolidDib(picture, 4, 4, RGB(255, 0, 0));
    SolidDib(mask, 3, 4, RGB(255, 255, 255));
    CCatalogueOb entry;
    entry.SetIconFromDib(&picture, &mask, 8);
    EXPECT_EQ(MaskArt(entry), Rows(2, "........") + Rows(4, "..####..") + Rows(2, "........"));
}

TEST(CatalogueOb, IconHandlesNeedBothPictureAndMask)
{
    CCatalogueOb empty;
    EXPECT_EQ(empty.CreateIcon(), nullptr);

    CDib picture;
    SolidDib(picture, 32, 32, RGB(255, 0, 0));
    CCatalogueOb entry;
    entry.SetIconFromDib(&picture, nullptr, 32);
    HICON icon = entry.CreateIcon();
    ASSERT_NE(icon, nullptr);
    CCatalogueOb fromHandle;
    fromHandle.SetIconFromHandle(icon);
    DestroyIcon(icon);
    ASSERT_NE(fromHandle.GetIconImage(), nullptr);
    EXPECT_EQ(fromHandle.GetIconImage()->GetWidth(), 32);
    EXPECT_EQ(MaskArt(fromHandle), Rows(32, std::string(32, '#')));
    fromHandle.SetIconFromHandle(nullptr);
    EXPECT_EQ(fromHandle.GetIconImage(), nullptr);
}

TEST(CatalogueOb, ChangesClearTheOffsetsOfTheirPartsOnly)
{
    TempFolder folder;
    CCatalogue catalogue;
    catalogue.InsertEntry(0, TextEntry("A", "x"));
    catalogue.SetPath(folder.File("a.cat").c_str());
    ASSERT_EQ(catalogue.Save(10), 0);
    CCatalogueOb* entry = catalogue.GetEntry(0);
    EXPECT_FALSE(entry->HasUnsavedParts());
    entry->SetName("B");
    EXPECT_EQ(entry->GetPartOffset(CCatalogueOb::NamePart), 0u);
    EXPECT_NE(entry->GetPartOffset(CCatalogueOb::DataPart), 0u);
    CDib picture;
    SolidDib(picture, 2, 2, RGB(0, 0, 0));
    entry->SetIconFromDib(&picture, nullptr, 4);
    EXPECT_EQ(entry->GetPartOffset(CCatalogueOb::ImagePart), 0u);
    EXPECT_EQ(entry->GetPartOffset(CCatalogueOb::MaskPart), 0u);
    EXPECT_NE(entry->GetPartOffset(CCatalogueOb::DataPart), 0u);
    ASSERT_EQ(catalogue.Save(10), 0);
    CCatalogue reloaded;
    ASSERT_EQ(reloaded.Load(folder.File("a.cat").c_str()), 0);
    EXPECT_EQ(reloaded.GetEntry(0)->GetName(), "B");
    ASSERT_NE(reloaded.GetEntry(0)->GetIconImage(), nullptr);
    EXPECT_EQ(reloaded.GetEntry(0)->GetIconImage()->GetWidth(), 4);
}

TEST(Catalogue, MoveEntryPlacesTheEntryBeforeTheTarget)
{
    struct Case {
        int to, from;
        const char* order;
    };
    const Case cases[] = {{0, 2, "CAB"}, {3, 0, "BCA"}, {1, 1, "ABC"}, {2, 1, "ABC"}, {5, 0, "ABC"}};
    for (const Case& c : cases) {
        CCatalogue catalogue;
        for (const char* name : {"A", "B", "C"})
            catalogue.InsertEntry(catalogue.GetCount(), TextEntry(name, name));
        catalogue.MoveEntry(c.to, c.from);
        std::string order;
        for (int i = 0; i < catalogue.GetCount(); ++i)
            order += catalogue.GetEntry(i)->GetName();
        EXPECT_EQ(order, c.order) << c.to << " " << c.from;
    }
}

TEST(Catalogue, ACopyHoldsItsOwnEntries)
{
    CCatalogue original;
    original.InsertEntry(0, TextEntry("A", "one"));
    original.SetPath("/somewhere/x.cat");
    original.SetProtected(TRUE);
    CCatalogue copy;
    copy.InsertEntry(0, TextEntry("Gone", "g"));
    copy.CopyFrom(original);
    original.GetEntry(0)->SetName("Changed");
    ASSERT_EQ(copy.GetCount(), 1);
    EXPECT_EQ(copy.GetEntry(0)->GetName(), "A");
    EXPECT_EQ(copy.GetEntry(0)->GetData(0), Bytes({'o', 'n', 'e'}));
    EXPECT_EQ(copy.GetPath(), "/somewhere/x.cat");
    EXPECT_TRUE(copy.IsProtected());
    EXPECT_TRUE(copy.GetPropertyEntry()->IsPropertyObject());
}

} // namespace

namespace {

TEST(Catalogue, ANewIconComesFromAPictureFileAndACancelledChoiceChangesNothing)
{
    TempFolder folder;
    WriteFileBytes(folder.File("red.bmp"), Bmp24());
    CCatalogue catalogue;
    catalogue.InsertEntry(0, TextEntry("A", "x"));

    UiTestHook::QueueFileDialogAnswer("");
    EXPECT_EQ(catalogue.ChangeEntryIcon(0, 32), -1);
    EXPECT_EQ(catalogue.GetEntry(0)->GetIconImage(), nullptr);

    UiTestHook::QueueFileDialogAnswer(folder.File("red.bmp"));
    ASSERT_EQ(catalogue.ChangeEntryIcon(0, 32), 0);
    const CCatalogueOb& entry = *catalogue.GetEntry(0);
    ASSERT_NE(entry.GetIconImage(), nullptr);
    EXPECT_EQ(entry.GetIconImage()->GetWidth(), 32);
    EXPECT_EQ(MaskArt(entry), Rows(15, std::string(32, '.')) + Rows(2, std::string(15, '.') + "##" + std::string(15, '.')) +
                                  Rows(15, std::string(32, '.')));

    WriteFileBytes(folder.File("junk.ico"), {1, 2, 3});
    UiTestHook::QueueFileDialogAnswer(folder.File("junk.ico"));
    EXPECT_EQ(catalogue.ChangeEntryIcon(0, 32), -1);
    EXPECT_EQ(catalogue.GetEntry(0)->GetIconImage()->GetWidth(), 32) << "a file that is no picture changes nothing";
}

TEST(CatalogueOb, ABitmapAskingForAHugePictureIsRefusedUnread)
{
    // RLE8: one end-of-picture code stands for every pixel of the header's size.
    const Bytes palette(256 * 4, 0), codes = {0, 1};
    const uint32_t offset = 54 + static_cast<uint32_t>(palette.size());
    const struct {
        int32_t width, height;
    } kSizes[] = {{4097, 4096}, {-4096, 4097}, {4096, -8192}, {30000, 8000}};
    for (const auto& size : kSizes) {
        Bytes bmp = Concat({FileHeader(offset + 2, offset), InfoHeader(size.width, size.height, 8, 1, 2), palette, codes});
        CMemFile file(bmp.data(), static_cast<UINT>(bmp.size()));
        file.SetFilePath("huge.bmp");
        CCatalogueOb entry;
        EXPECT_FALSE(entry.LoadIconFile(&file, 32)) << size.width << " x " << size.height;
        EXPECT_EQ(entry.GetIconImage(), nullptr);
    }
}

TEST(CatalogueOb, APastedBitmapAskingForAHugePictureIsRefusedUnread)
{
    const Bytes palette(256 * 4, 0), codes = {0, 1};
    const struct {
        int32_t width, height;
        bool taken;
    } kCases[] = {{2, 2, true}, {4097, 4096, false}, {-4096, 4097, false}, {30000, 8000, false}};
    for (const auto& c : kCases) {
        const Bytes packed = Concat({InfoHeader(c.width, c.height, 8, 1, 2), palette, codes});
        CCatalogueOb entry;
        EXPECT_EQ(entry.LoadIconPackedDib(packed.data(), packed.size(), 32), c.taken) << c.width << " x " << c.height;
        EXPECT_EQ(entry.GetIconImage() != nullptr, c.taken);
    }
}

} // namespace
