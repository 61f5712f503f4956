#include "objects/WaveFile.h"

#include "platform/core/Archive.h"
#include "platform/core/File.h"

void RequireFileBytes(CArchive& archive, ULONGLONG bytes)
{
    CFile* file = archive.GetFile();
    ULONGLONG position = file->GetPosition(), length = file->GetLength();
    if (position > length || length - position < bytes)
        archive.ThrowException(CArchiveException::endOfFile);
}

void ReadFileExact(CArchive& archive, void* data, ULONGLONG bytes)
{
    RequireFileBytes(archive, bytes);
    if (bytes && archive.GetFile()->Read(data, UINT(bytes)) != bytes)
        archive.ThrowException(CArchiveException::endOfFile);
}
