// Base of the picture encoders: writes a bitmap into a file or a data sink.
#pragma once

#include "piclib/common/PLObject.h"

class PLBmp;
class PLDataSink;

class PLPicEncoder : public PLObject {
public:
    virtual void MakeFileFromBmp(const char* fileName, PLBmp* bmp);
    virtual void MakeFileFromBmpW(const wchar_t* fileName, PLBmp* bmp);
    virtual void SaveBmp(PLBmp* bmp, PLDataSink* sink);
    virtual void DoEncode(PLBmp* bmp, PLDataSink* sink) = 0;

    // Sink sizes the file operations reserve for a bitmap of this many bytes.
    static int NarrowSinkSize(int memUsed);
    static int WideSinkSize(int memUsed);

    [[noreturn]] static void raiseError(int code, const char* text);
};
