// The decoder the program uses: recognises the format and hands the picture to the
// decoder of that format.
#pragma once

#include "piclib/common/PLPicDecoder.h"

#include <memory>

class PLBmpDecoder;
class PLGIFDecoder;
class PLIFF85Decoder;
class PLJPEGDecoder;
class PLPCXDecoder;
class PLPGMDecoder;
class PLPNGDecoder;
class PLPPMDecoder;
class PLTGADecoder;
class PLTIFFDecoder;
class PLPictDecoder;
class PLPSDDecoder;
class PLSGIDecoder;
class PLWEMFDecoder;

class PLAnyPicDecoder : public PLPicDecoder {
public:
    enum {
        PL_FT_UNKNOWN = 0, PL_FT_WINBMP, PL_FT_MACPICT, PL_FT_TARGA, PL_FT_TIFF, PL_FT_JPEG, PL_FT_PNG,
        PL_FT_EPSTIFF, PL_FT_WMF, PL_FT_EMF, PL_FT_PCX, PL_FT_PGM, PL_FT_GIF, PL_FT_PPM, PL_FT_PSD,
        PL_FT_SGI, PL_FT_IFF85,
    };

    PLAnyPicDecoder();
    ~PLAnyPicDecoder() override;

    void Open(PLDataSource* source) override;
    void GetImage(PLBmp& bmp) override;
    void Close() override;

    int GetFileFormat() const { return m_Type; }
    // Type from the start of the data (up to 512 bytes) and the total size.
    static int RecognizeType(const uint8_t* header, int headerSize, int fileSize, const uint8_t* pictMarker);

protected:
    // The decoder of a recognised type, or null when this build has none.
    virtual PLPicDecoder* decoderFor(int type);

private:
    int recognize(PLDataSource* source);
    static void skipToEPSPreview(PLDataSource* source);

    int m_Type = PL_FT_UNKNOWN;
    PLPicDecoder* m_pCurDec = nullptr;
    std::unique_ptr<PLBmpDecoder> m_pBmpDec;
    std::unique_ptr<PLJPEGDecoder> m_pJPEGDec;
    std::unique_ptr<PLPNGDecoder> m_pPNGDec;
    std::unique_ptr<PLTGADecoder> m_pTGADec;
    std::unique_ptr<PLTIFFDecoder> m_pTIFFDec;
    std::unique_ptr<PLGIFDecoder> m_pGIFDec;
    std::unique_ptr<PLPCXDecoder> m_pPCXDec;
    std::unique_ptr<PLPGMDecoder> m_pPGMDec;
    std::unique_ptr<PLPPMDecoder> m_pPPMDec;
    std::unique_ptr<PLPictDecoder> m_pPictDec;
    std::unique_ptr<PLIFF85Decoder> m_pIFF85Dec;
    std::unique_ptr<PLSGIDecoder> m_pSGIDec;
    std::unique_ptr<PLPSDDecoder> m_pPSDDec;
    std::unique_ptr<PLWEMFDecoder> m_pWEMFDec;
};
