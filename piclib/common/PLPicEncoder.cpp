#include "piclib/common/PLPicEncoder.h"

#include "piclib/common/PLBmp.h"
#include "piclib/common/PLFileAccess.h"
#include "piclib/common/PLFileSink.h"
#include "piclib/common/PLPicDecoder.h"

#include <cerrno>
#include <cstring>
#include <string>

namespace {

void encodeToFile(PLPicEncoder& encoder, PLBmp* bmp, PLFileSink& sink, int openResult, const std::string& name)
{
    if (openResult != 0)
        PLPicEncoder::raiseError(openResult, ("Opening " + name + " failed: " + std::strerror(errno)).c_str());
    encoder.SaveBmp(bmp, &sink);
    sink.Close();
}

} // namespace

int PLPicEncoder::NarrowSinkSize(int memUsed)
{
    return memUsed + 65536;
}

int PLPicEncoder::WideSinkSize(int memUsed)
{
    return memUsed < 20000 ? memUsed + 4096 : static_cast<int>(memUsed * 1.2);
}

void PLPicEncoder::MakeFileFromBmp(const char* fileName, PLBmp* bmp)
{
    PLPicDecoder::Trace(1, ("--- Encoding file " + std::string(fileName) + ". ---\n").c_str());
    PLFileSink sink;
    const int result = sink.Open(fileName, NarrowSinkSize(bmp->GetMemoryUsed()));
    encodeToFile(*this, bmp, sink, result, fileName);
}

void PLPicEncoder::MakeFileFromBmpW(const wchar_t* fileName, PLBmp* bmp)
{
    std::string name = PLFileAccess::Utf8FromWide(fileName);
    if (name.size() >= 900)
        name = "{{Filename too long}}";
    PLPicDecoder::Trace(1, ("--- Encoding file " + name + ". ---\n").c_str());
    PLFileSink sink;
    const int result = sink.Open(fileName, WideSinkSize(bmp->GetMemoryUsed()));
    encodeToFile(*this, bmp, sink, result, name);
}

void PLPicEncoder::SaveBmp(PLBmp* bmp, PLDataSink* sink)
{
    DoEncode(bmp, sink);
}

void PLPicEncoder::raiseError(int code, const char* text)
{
    PLPicDecoder::raiseError(code, text);
}
