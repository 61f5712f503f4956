#include "piclib/common/PLAnyPicDecoder.h"

#include "piclib/common/PLBmpDecoder.h"
#include "piclib/common/PLDataSource.h"
#include "piclib/common/PLGIFDecoder.h"
#include "piclib/common/PLIFF85.h"
#include "piclib/common/PLIFF85Decoder.h"
#include "piclib/common/PLJPEGDecoder.h"
#include "piclib/common/PLPCXDecoder.h"
#include "piclib/common/PLPGMDecoder.h"
#include "piclib/common/PLPNGDecoder.h"
#include "piclib/common/PLPPMDecoder.h"
#include "piclib/common/PLTGADecoder.h"
#include "piclib/common/PLTIFFDecoder.h"
#include "piclib/common/PLPSDDecoder.h"
#include "piclib/common/PLPictDecoder.h"
#include "piclib/common/PLSGIDecoder.h"
#include "piclib/common/PLSourceName.h"
#include "piclib/common/PLTextException.h"
#include "piclib/common/PLWEMFDecoder.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

const char* const RecognisedTexts[] = {
    "",
    "Windows bitmap recognized.\n",
    "Mac PICT recognized.\n",
    "TGA file recognized.\n",
    "TIFF file recognized.\n",
    "JPEG file recognized.\n",
    "PNG file recognized.\n",
    "TIFF preview in EPS file recognized.\n",
    "WMF file recognized.\n",
    "EMF file recognized.\n",
    "PCX file recognized.\n",
    "PGM file recognized.\n",
    "GIF file recognized.\n",
    "PPM file recognized.\n",
    "PSD file recognized.\n",
    "SGI RGB file recognized.\n",
    "EA IFF-85 file recognized.\n",
};

bool startsWith(const uint8_t* h, const char* bytes, size_t count)
{
    return std::memcmp(h, bytes, count) == 0;
}

uint32_t dwordAt(const uint8_t* h, int offset)
{
    return h[offset] | h[offset + 1] << 8 | h[offset + 2] << 16 | uint32_t(h[offset + 3]) << 24;
}

bool isTGA(const uint8_t* h)
{
    const int colourMapBits = h[7], pixelBits = h[16];
    const bool mapBitsOk = colourMapBits == 0 || colourMapBits == 8 || colourMapBits == 15 || colourMapBits == 16 ||
                           colourMapBits == 24 || colourMapBits == 32;
    const bool pixelBitsOk = pixelBits == 8 || pixelBits == 15 || pixelBits == 16 || pixelBits == 24 || pixelBits == 32;
    return h[1] <= 1 && h[2] <= 11 && !(h[2] >= 4 && h[2] <= 8) && mapBitsOk && pixelBitsOk;
}

// Metafiles from memory have no name to tell them by.
int metafileType(const uint8_t* h)
{
    const uint16_t type = h[0] | h[1] << 8, headerWords = h[2] | h[3] << 8, version = h[4] | h[5] << 8;
    if (dwordAt(h, 0) == 1 && dwordAt(h, 40) == 0x464D4520)
        return PLAnyPicDecoder::PL_FT_EMF;
    const bool plainHeader = (type == 1 || type == 2) && headerWords == 9 && (version == 0x100 || version == 0x300);
    if (dwordAt(h, 0) == 0x9AC6CDD7 || plainHeader)
        return PLAnyPicDecoder::PL_FT_WMF;
    return PLAnyPicDecoder::PL_FT_UNKNOWN;
}

bool isPICT(const uint8_t* m)
{
    return startsWith(m, "\x00\x11\x02\xFF", 4) || startsWith(m, "\x00\x11\x01", 3) ||
           startsWith(m, "\x11\x01\x01\x00", 4);
}

} // namespace

PLAnyPicDecoder::PLAnyPicDecoder()
    : m_pBmpDec(std::make_unique<PLBmpDecoder>()),
      m_pJPEGDec(std::make_unique<PLJPEGDecoder>()),
      m_pPNGDec(std::make_unique<PLPNGDecoder>()),
      m_pTGADec(std::make_unique<PLTGADecoder>()),
      m_pTIFFDec(std::make_unique<PLTIFFDecoder>()),
      m_pGIFDec(std::make_unique<PLGIFDecoder>()),
      m_pPCXDec(std::make_unique<PLPCXDecoder>()),
      m_pPGMDec(std::make_unique<PLPGMDecoder>()),
      m_pPPMDec(std::make_unique<PLPPMDecoder>()),
      m_pPictDec(std::make_unique<PLPictDecoder>(m_pJPEGDec.get())),
      m_pIFF85Dec(std::make_unique<PLIFF85Decoder>()),
      m_pSGIDec(std::make_unique<PLSGIDecoder>()),
      m_pPSDDec(std::make_unique<PLPSDDecoder>()),
      m_pWEMFDec(std::make_unique<PLWEMFDecoder>())
{
}

PLAnyPicDecoder::~PLAnyPicDecoder()
{
    // The current decoder shares our source; only we delete it.
    PLAnyPicDecoder::Close();
}

int PLAnyPicDecoder::RecognizeType(const uint8_t* h, int headerSize, int fileSize, const uint8_t* pictMarker)
{
    uint8_t padded[512] = {};
    if (h && headerSize > 0)
        std::memcpy(padded, h, std::min(headerSize, 512));
    h = padded;
    static const char* const BmpSignatures[] = {"BA", "BM", "IC", "CI", "CP"};
    for (const char* sig : BmpSignatures)
        if (startsWith(h, sig, 2))
            return PL_FT_WINBMP;
    if (const int metafile = metafileType(h))
        return metafile;
    if (isTGA(h))
        return PL_FT_TARGA;
    if (startsWith(h, "GIF8", 4))
        return PL_FT_GIF;
    if (startsWith(h, "II*\0", 4) || startsWith(h, "MM\0*", 4))
        return PL_FT_TIFF;
    if (fileSize > 540 && pictMarker && isPICT(pictMarker))
        return PL_FT_MACPICT;
    if (startsWith(h, "\xFF\xD8\xFF", 3))
        return PL_FT_JPEG;
    if (startsWith(h, "\x89PNG", 4))
        return PL_FT_PNG;
    if ((startsWith(h, "\xC5\xD0\xD3\xC6", 4) || startsWith(h, "\xC6\xD3\xD0\xC5", 4)) && dwordAt(h, 20) != 0 &&
        dwordAt(h, 24) != 0)
        return PL_FT_EPSTIFF;
    if (h[0] == 0x0A && h[2] == 1)
        return PL_FT_PCX;
    if (startsWith(h, "P2", 2) || startsWith(h, "P5", 2))
        return PL_FT_PGM;
    if (startsWith(h, "P3", 2) || startsWith(h, "P6", 2))
        return PL_FT_PPM;
    if (startsWith(h, "8BPS", 4))
        return PL_FT_PSD;
    if (startsWith(h, "\x01\xDA", 2))
        return PL_FT_SGI;
    if ((uint32_t(h[0]) << 24 | h[1] << 16 | h[2] << 8 | h[3]) == PL_IFF_FORM)
        return PL_FT_IFF85;
    return PL_FT_UNKNOWN;
}

int PLAnyPicDecoder::recognize(PLDataSource* source)
{
    const std::string name = PLUpperSourceName(source);
    if (name.find(".WMF") != std::string::npos)
        return PL_FT_WMF;
    if (name.find(".EMF") != std::string::npos)
        return PL_FT_EMF;
    const int size = source->GetBytesLeft();
    const uint8_t* header = source->PeekBytes(std::min(size, 512));
    const uint8_t* pictMarker = size >= 526 ? source->PeekBytes(526) + 522 : nullptr;
    return RecognizeType(header, std::min(size, 512), size, pictMarker);
}

void PLAnyPicDecoder::skipToEPSPreview(PLDataSource* source)
{
    const uint8_t* header = source->PeekBytes(30);
    const uint32_t offset = dwordAt(header, 20);
    if (offset > static_cast<uint32_t>(source->GetBytesLeft()))
        throw PLTextException(PL_ERREND_OF_FILE, "End of file reached while decoding.\n");
    source->Skip(static_cast<int>(offset));
}

PLPicDecoder* PLAnyPicDecoder::decoderFor(int type)
{
    switch (type) {
    case PL_FT_WINBMP: return m_pBmpDec.get();
    case PL_FT_JPEG: return m_pJPEGDec.get();
    case PL_FT_PNG: return m_pPNGDec.get();
    case PL_FT_TARGA: return m_pTGADec.get();
    case PL_FT_TIFF:
    case PL_FT_EPSTIFF: return m_pTIFFDec.get();
    case PL_FT_GIF: return m_pGIFDec.get();
    case PL_FT_PCX: return m_pPCXDec.get();
    case PL_FT_PGM: return m_pPGMDec.get();
    case PL_FT_PPM: return m_pPPMDec.get();
    case PL_FT_MACPICT: return m_pPictDec.get();
    case PL_FT_IFF85: return m_pIFF85Dec.get();
    case PL_FT_SGI: return m_pSGIDec.get();
    case PL_FT_PSD: return m_pPSDDec.get();
    case PL_FT_WMF:
    case PL_FT_EMF: return m_pWEMFDec.get();
    default: return nullptr;
    }
}

void PLAnyPicDecoder::Open(PLDataSource* source)
{
    m_Type = recognize(source);
    if (m_Type == PL_FT_UNKNOWN)
        raiseError(PL_ERRUNKNOWN_FILE_TYPE, "Unknown file type.");
    PLPicDecoder* decoder = decoderFor(m_Type);
    if (!decoder)
        raiseError(PL_ERRFORMAT_NOT_COMPILED, "Library not compiled for this file type.");
    Trace(2, RecognisedTexts[m_Type]);
    if (m_Type == PL_FT_EPSTIFF)
        skipToEPSPreview(source);
    m_pCurDec = decoder;
    m_pCurDec->Attach(source);
    m_pCurDec->Open(source);
    SetBmpInfo(*m_pCurDec);
}

void PLAnyPicDecoder::GetImage(PLBmp& bmp)
{
    m_pCurDec->GetImage(bmp);
    SetBmpInfo(*m_pCurDec);
}

void PLAnyPicDecoder::Close()
{
    if (m_pCurDec) {
        m_pCurDec->Detach();
        m_pCurDec->Close();
        m_pCurDec = nullptr;
    }
    PLPicDecoder::Close();
}
