// Base of the picture decoders: opens a source, lets the format decoder read the
// header and the pixels, delivers the requested depth and reports errors uniformly.
#pragma once

#include "piclib/common/PLBmpInfo.h"
#include "platform/core/Types.h"

#include <cstdint>

class PLBmp;
class PLDataSource;
class PLIProgressNotification;

class PLPicDecoder : public PLBmpInfo {
public:
    ~PLPicDecoder() override;

    virtual void MakeBmpFromFile(const char* fileName, PLBmp* bmp, int bpp = 0,
                                 PLIProgressNotification* progress = nullptr);
    virtual void MakeBmpFromFileW(const wchar_t* fileName, PLBmp* bmp, int bpp = 0,
                                  PLIProgressNotification* progress = nullptr);
    virtual void MakeBmpFromURL(const char* url, PLBmp* bmp, int bpp = 0, PLIProgressNotification* progress = nullptr);
    // A resource of the program by number; type 0 is the raw-data type.
    virtual void MakeBmpFromResource(HINSTANCE module, int id, PLBmp* bmp, int bpp = 0, void* unused = nullptr,
                                     UINT type = 0);
    virtual void MakeBmpFromMemory(const uint8_t* data, int size, PLBmp* bmp, int bpp = 0,
                                   PLIProgressNotification* progress = nullptr);
    virtual void MakeBmp(PLBmp* bmp, int bpp);
    virtual void Close();
    virtual void Open(PLDataSource* source) = 0;
    virtual void GetImage(PLBmp& bmp) = 0;

    static void SetTraceConfig(int level, const char* fileName);
    static void Trace(int level, const char* text);
    [[noreturn]] static void raiseError(int code, const char* text);
    // One PackBits-packed row; rows under 8 bytes are stored raw and returned in place.
    static const uint8_t* UnpackPackBits(uint8_t* destination, PLDataSource* source, int rowBytes, int packedLength);

    // Lends a source to this decoder; Detach takes it back before Close.
    void Attach(PLDataSource* source) { m_pDataSrc = source; }
    void Detach() { m_pDataSrc = nullptr; }

protected:
    PLDataSource* GetDataSource() const { return m_pDataSrc; }

private:
    void decodeSource(PLDataSource* source, PLBmp* bmp, int bpp);

    PLDataSource* m_pDataSrc = nullptr;
};
