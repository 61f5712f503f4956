// Common part of the grey map and pixel map readers: the header grammar and the
// samples, text or binary, one channel or three.
#pragma once

#include "piclib/common/PLPicDecoder.h"

#include <cstdint>

class PLPNMDecoder : public PLPicDecoder {
public:
    void Open(PLDataSource* source) override;

protected:
    // textDigit and binaryDigit follow the 'P'; message is raised for any other identifier.
    PLPNMDecoder(char textDigit, char binaryDigit, int channels, const char* trace, const char* message);

    // The next width × channels samples, each brought to 0..255.
    void ReadSamples(uint8_t* samples);
    // Describes the picture once the header is read.
    virtual void SetDescription() = 0;

    bool m_bBinary = false;
    int m_Width = 0;
    int m_Height = 0;
    int m_MaxGrayValue = 255;

private:
    void readHeader();
    void nextChar();
    void skipWhiteSpace();
    void skipComment();
    int readNumber();
    uint8_t scale(int sample) const;
    void readTextSamples(uint8_t* samples, int count);
    void readBinarySamples(uint8_t* samples, int count);

    char m_TextDigit;
    char m_BinaryDigit;
    int m_Channels;
    const char* m_Trace;
    const char* m_Message;
    int m_LastByte = -1; // the byte read and not yet consumed; -1 at the end of the data
};
