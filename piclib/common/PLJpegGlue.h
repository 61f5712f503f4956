// libjpeg plumbing: an error manager that leaves libjpeg by longjmp instead of
// unwinding C++ exceptions through it, a destination writing to a PLDataSink and a
// source reading a memory block.
#pragma once

#include <csetjmp>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <jpeglib.h>
#include <type_traits>

class PLDataSink;
class PLDataSource;

struct PLJpegErrorState {
    jpeg_error_mgr pub;
    jmp_buf jump;
    // An exception caught inside a libjpeg callback, thrown again once libjpeg is left.
    std::exception_ptr pending;
    char message[JMSG_LENGTH_MAX];
};
static_assert(std::is_standard_layout_v<PLJpegErrorState>);

void PLJpegInitErrorState(PLJpegErrorState& state);

// Runs f (calls into libjpeg only, no objects needing destruction); false when
// libjpeg reported an error through the state.
template <class F>
bool PLJpegRun(PLJpegErrorState& state, F&& f)
{
    if (setjmp(state.jump))
        return false;
    f();
    return true;
}

// After a failed PLJpegRun: aborts the libjpeg object and throws the pending
// exception, or code 6 with libjpeg's message.
[[noreturn]] void PLJpegRaise(PLJpegErrorState& state, j_common_ptr cinfo);

void PLJpegSetSinkDestination(j_compress_ptr cinfo, PLDataSink* sink);
void PLJpegSetMemorySource(j_decompress_ptr cinfo, const uint8_t* data, size_t length, PLDataSource* client);
