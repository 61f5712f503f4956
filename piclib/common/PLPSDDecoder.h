// Reads the merged image of Photoshop documents: greyscale, indexed and RGB,
// 8 or 16 bits per channel, raw or run-length compressed.
#pragma once

#include "piclib/common/PLPicDecoder.h"
#include "piclib/common/PLPixel32.h"

#include <vector>

class PLPSDDecoder : public PLPicDecoder {
public:
    void Open(PLDataSource* source) override;
    void GetImage(PLBmp& bmp) override;
    void Close() override;

    int GetLayerCount() const { return m_LayerCount; }

private:
    struct Header {
        uint16_t channels = 0;
        uint32_t rows = 0;
        uint32_t columns = 0;
        uint16_t bitsPerChannel = 0;
        uint16_t mode = 0;
    };
    struct LayerChannel {
        int16_t id = 0;
        uint32_t length = 0;
    };
    struct Layer {
        int32_t top = 0, left = 0, bottom = 0, right = 0;
        std::vector<LayerChannel> channels;
        uint8_t blendSignature[4]{};
        uint8_t blendKey[4]{};
        uint8_t opacity = 0;
        uint8_t clipping = 0;
        uint8_t flags = 0;
    };

    void readHeader(PLDataSource* source);
    void readColourModeData(PLDataSource* source);
    void readResources(PLDataSource* source);
    void readResource(PLDataSource* source, int sectionEnd);
    void describe();
    void readLayers(PLDataSource* source);
    void readLayer(PLDataSource* source);
    void checkImageData(PLDataSource* source);
    struct StoredRow {
        int64_t offset = 0;
        int length = 0;
    };
    std::vector<StoredRow> storedRows(PLDataSource* source, bool packed);
    void decodeLines(PLBmp& bmp, const std::vector<StoredRow>& rows, bool packed) const;
    const uint8_t* narrow(const uint8_t* samples, uint8_t* out) const;
    void placeLine(uint8_t* line, const uint8_t* const planes[4]) const;
    int sampleBytes() const { return m_Header.bitsPerChannel / 8; }

    Header m_Header;
    PLPixel32 m_Palette[256]{};
    PLPoint m_Resolution;
    int64_t m_LayerSectionLength = 0;
    int m_LayerSectionStart = 0;
    int m_LayerCount = 0;
    std::vector<Layer> m_Layers;
    // The image data section, read in one piece by GetImage.
    const uint8_t* m_ImageData = nullptr;
};
