#include "ArchiveBytes.h"

#include "platform/core/SharedFile.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(MemFile, GrowsInStepsAndReadsBack)
{
    CMemFile file(16);
    file.Write("hello", 5);
    file.Seek(8, CFile::begin);
    file.Write("!", 1);
    EXPECT_EQ(file.GetLength(), 9u);
    file.SeekToBegin();
    char buffer[12] = {};
    EXPECT_EQ(file.Read(buffer, sizeof(buffer)), 9u);
    EXPECT_EQ(std::memcmp(buffer, "hello\0\0\0!", 9), 0) << "the gap reads as zeros";
    EXPECT_EQ(file.Read(buffer, 1), 0u);
    file.SetLength(2);
    EXPECT_EQ(file.GetPosition(), 2u);
    try {
        file.Seek(-3, CFile::current);
        ADD_FAILURE();
    } catch (CFileException* e) {
        EXPECT_EQ(e->m_cause, CFileException::badSeek);
        e->Delete();
    }
}

TEST(MemFile, AttachedBlockIsTheWholeFileAndDoesNotGrow)
{
    BYTE block[4] = {1, 2, 3, 4};
    CMemFile file(block, sizeof(block));
    EXPECT_EQ(file.GetLength(), 4u);
    file.Seek(2, CFile::begin);
    file.Write("\x09", 1);
    EXPECT_EQ(block[2], 9);
    try {
        file.Write("xy", 2);
        ADD_FAILURE();
    } catch (CMemoryException* e) {
        e->Delete();
    }
    EXPECT_EQ(file.Detach(), block);
    EXPECT_EQ(file.GetLength(), 0u);
}

TEST(MemFile, DetachHandsOverTheBlock)
{
    CMemFile file;
    file.Write("abc", 3);
    BYTE* data = file.Detach();
    EXPECT_EQ(std::memcmp(data, "abc", 3), 0);
    std::free(data);
    file.Write("z", 1);
    EXPECT_EQ(file.GetLength(), 1u);
}

TEST(SharedFile, DetachGivesAGlobalBlockHoldingTheData)
{
    CSharedFile file(GMEM_MOVEABLE | GMEM_SHARE | GMEM_ZEROINIT, 4096);
    {
        CArchive ar(&file, CArchive::store);
        ar << CString("catalogue") << static_cast<DWORD>(7);
        ar.Close();
    }
    const auto length = static_cast<size_t>(file.GetLength());
    HGLOBAL hData = file.Detach();
    ASSERT_NE(hData, nullptr);
    EXPECT_GE(GlobalSize(hData), length);
    const Bytes expected = {9, 'c', 'a', 't', 'a', 'l', 'o', 'g', 'u', 'e', 7, 0, 0, 0};
    ASSERT_EQ(length, expected.size());
    const auto* p = static_cast<const BYTE*>(GlobalLock(hData));
    EXPECT_EQ(Bytes(p, p + length), expected);
    GlobalUnlock(hData);

    CSharedFile reader;
    reader.SetHandle(hData, FALSE);
    CArchive ar(&reader, CArchive::load);
    CString text;
    ar >> text;
    EXPECT_EQ(text, "catalogue");
}

TEST(SharedFile, GrowsPastItsFirstBlock)
{
    CSharedFile file(GMEM_MOVEABLE, 64);
    Bytes data(1000);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<BYTE>(i);
    file.Write(data.data(), 600);
    file.Write(data.data() + 600, 400);
    file.SeekToBegin();
    Bytes back(1000);
    EXPECT_EQ(file.Read(back.data(), 1000), 1000u);
    EXPECT_EQ(back, data);
}

} // namespace
