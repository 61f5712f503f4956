// The text tool's font as the profile stores it: a text the reader takes must give a face
// name that ends inside its field and that writes back to text the reader takes again.
#include "imaging/paint/PntTextFmtBar.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    LOGFONT font{};
    if (!CPntTextFmtBar::ParseFont(text.c_str(), &font))
        return 0;
    if (std::memchr(font.lfFaceName, 0, LF_FACESIZE) == nullptr)
        std::abort();
    LOGFONT again{};
    if (!CPntTextFmtBar::ParseFont(CPntTextFmtBar::FormatFont(font), &again))
        std::abort();
    return 0;
}
