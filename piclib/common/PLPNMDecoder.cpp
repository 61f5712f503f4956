#include "piclib/common/PLPNMDecoder.h"

#include "piclib/common/PLBitmapSize.h"
#include "piclib/common/PLDataSource.h"
#include "piclib/common/PLTextException.h"

#include <algorithm>
#include <climits>

namespace {

bool isDigit(int c)
{
    return c >= '0' && c <= '9';
}

bool isWhiteSpace(int c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

} // namespace

PLPNMDecoder::PLPNMDecoder(char textDigit, char binaryDigit, int channels, const char* trace, const char* message)
    : m_TextDigit(textDigit), m_BinaryDigit(binaryDigit), m_Channels(channels), m_Trace(trace), m_Message(message)
{
}

void PLPNMDecoder::Open(PLDataSource*)
{
    Trace(2, m_Trace);
    readHeader();
    if (m_Width == 0 || m_Height == 0)
        raiseError(PL_ERRINTERNAL, "Empty picture in portable map.");
    PLCheckBitmapSize(m_Width, m_Height, 32);
    SetDescription();
}

void PLPNMDecoder::nextChar()
{
    PLDataSource* source = GetDataSource();
    m_LastByte = source->GetBytesLeft() > 0 ? source->ReadByte() : -1;
}

void PLPNMDecoder::readHeader()
{
    PLDataSource* source = GetDataSource();
    if (source->ReadByte() != 'P')
        raiseError(PL_ERRFORMAT_UNKNOWN, m_Message);
    const uint8_t digit = source->ReadByte();
    if (digit != m_TextDigit && digit != m_BinaryDigit)
        raiseError(PL_ERRFORMAT_UNKNOWN, m_Message);
    m_bBinary = digit == m_BinaryDigit;
    m_LastByte = source->ReadByte();
    int* const fields[] = {&m_Width, &m_Height, &m_MaxGrayValue};
    for (int* field : fields) {
        skipWhiteSpace();
        *field = readNumber();
    }
    // The data starts behind the one byte that ended the maximum.
    if (m_MaxGrayValue < 1 || m_MaxGrayValue > 65535)
        m_MaxGrayValue = 255;
}

void PLPNMDecoder::skipComment()
{
    while (m_LastByte != '\n' && m_LastByte != '\r') {
        if (m_LastByte < 0)
            throw PLTextException(PL_ERREND_OF_FILE, "End of file reached while decoding.\n");
        nextChar();
    }
}

// Header white space may hold comments; pixel text may not.
void PLPNMDecoder::skipWhiteSpace()
{
    for (;;) {
        if (m_LastByte == '#')
            skipComment();
        else if (isWhiteSpace(m_LastByte))
            nextChar();
        else
            return;
    }
}

int PLPNMDecoder::readNumber()
{
    if (m_LastByte < 0)
        throw PLTextException(PL_ERREND_OF_FILE, "End of file reached while decoding.\n");
    if (!isDigit(m_LastByte))
        raiseError(PL_ERRINTERNAL, "Unexpected character in portable map.");
    int64_t value = 0;
    while (isDigit(m_LastByte)) {
        value = value * 10 + (m_LastByte - '0');
        if (value > INT_MAX)
            raiseError(PL_ERRINTERNAL, "Number too large in portable map.");
        nextChar();
    }
    return static_cast<int>(value);
}

uint8_t PLPNMDecoder::scale(int sample) const
{
    return sample >= m_MaxGrayValue ? 255 : static_cast<uint8_t>(sample * 255 / m_MaxGrayValue);
}

void PLPNMDecoder::ReadSamples(uint8_t* samples)
{
    const int count = m_Width * m_Channels;
    if (m_bBinary)
        readBinarySamples(samples, count);
    else
        readTextSamples(samples, count);
}

void PLPNMDecoder::readTextSamples(uint8_t* samples, int count)
{
    for (int i = 0; i < count; ++i) {
        while (isWhiteSpace(m_LastByte))
            nextChar();
        samples[i] = scale(readNumber());
    }
}

void PLPNMDecoder::readBinarySamples(uint8_t* samples, int count)
{
    if (m_MaxGrayValue <= 255) {
        const uint8_t* bytes = GetDataSource()->ReadBytes(count);
        if (m_MaxGrayValue == 255) {
            std::copy_n(bytes, count, samples);
            return;
        }
        uint8_t scaled[256];
        for (int v = 0; v < 256; ++v)
            scaled[v] = scale(v);
        for (int i = 0; i < count; ++i)
            samples[i] = scaled[bytes[i]];
        return;
    }
    const uint8_t* bytes = GetDataSource()->ReadBytes(2 * count);
    for (int i = 0; i < count; ++i)
        samples[i] = scale(bytes[2 * i] << 8 | bytes[2 * i + 1]);
}
