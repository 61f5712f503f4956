#include "piclib/common/PLJpegGlue.h"

#include "piclib/common/PLDataSink.h"
#include "piclib/common/PLDataSource.h"
#include "piclib/common/PLIProgressNotification.h"
#include "piclib/common/PLPicDecoder.h"
#include "piclib/common/PLTextException.h"

#include <cstring>
#include <jerror.h>

namespace {

constexpr size_t OutputBufferSize = 8192;
const JOCTET EndOfImage[2] = {0xFF, JPEG_EOI};

PLJpegErrorState& stateOf(j_common_ptr cinfo)
{
    return *reinterpret_cast<PLJpegErrorState*>(cinfo->err);
}

// Warnings go to the trace instead of the console.
void outputMessage(j_common_ptr cinfo)
{
    char text[JMSG_LENGTH_MAX + 1];
    cinfo->err->format_message(cinfo, text);
    std::strcat(text, "\n");
    PLPicDecoder::Trace(2, text);
}

void errorExit(j_common_ptr cinfo)
{
    PLJpegErrorState& state = stateOf(cinfo);
    cinfo->err->format_message(cinfo, state.message);
    longjmp(state.jump, 1);
}

struct SinkDestination {
    jpeg_destination_mgr pub;
    PLDataSink* sink;
    JOCTET* buffer;
};

// Hands bytes to the sink without letting its exception into libjpeg.
bool writeToSink(j_compress_ptr cinfo, size_t count)
{
    auto* dest = reinterpret_cast<SinkDestination*>(cinfo->dest);
    try {
        return dest->sink->WriteBytes(static_cast<int>(count), dest->buffer) == static_cast<int>(count);
    } catch (...) {
        stateOf(reinterpret_cast<j_common_ptr>(cinfo)).pending = std::current_exception();
        return false;
    }
}

void initDestination(j_compress_ptr cinfo)
{
    auto* dest = reinterpret_cast<SinkDestination*>(cinfo->dest);
    dest->buffer = static_cast<JOCTET*>(
        (*cinfo->mem->alloc_small)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE, OutputBufferSize));
    dest->pub.next_output_byte = dest->buffer;
    dest->pub.free_in_buffer = OutputBufferSize;
}

boolean emptyOutputBuffer(j_compress_ptr cinfo)
{
    if (!writeToSink(cinfo, OutputBufferSize))
        ERREXIT(cinfo, JERR_FILE_WRITE);
    auto* dest = reinterpret_cast<SinkDestination*>(cinfo->dest);
    dest->pub.next_output_byte = dest->buffer;
    dest->pub.free_in_buffer = OutputBufferSize;
    return TRUE;
}

void termDestination(j_compress_ptr cinfo)
{
    const size_t count = OutputBufferSize - cinfo->dest->free_in_buffer;
    if (count > 0 && !writeToSink(cinfo, count))
        ERREXIT(cinfo, JERR_FILE_WRITE);
}

void noOp(j_decompress_ptr) {}

boolean fillInputBuffer(j_decompress_ptr cinfo)
{
    WARNMS(cinfo, JWRN_JPEG_EOF);
    cinfo->src->next_input_byte = EndOfImage;
    cinfo->src->bytes_in_buffer = 2;
    return TRUE;
}

void skipInputData(j_decompress_ptr cinfo, long count)
{
    if (count <= 0)
        return;
    jpeg_source_mgr* src = cinfo->src;
    if (static_cast<size_t>(count) < src->bytes_in_buffer) {
        src->next_input_byte += count;
        src->bytes_in_buffer -= static_cast<size_t>(count);
    } else {
        fillInputBuffer(cinfo);
    }
}

struct Progress {
    jpeg_progress_mgr pub;
};

void reportProgress(j_common_ptr cinfo)
{
    auto* source = static_cast<PLDataSource*>(cinfo->client_data);
    const jpeg_progress_mgr* p = cinfo->progress;
    if (!source || p->pass_limit == 0 || p->total_passes == 0)
        return;
    const double done = (double(p->pass_counter) / p->pass_limit + p->completed_passes) / p->total_passes;
    try {
        source->ReportProgress(done);
    } catch (...) {
        stateOf(cinfo).pending = std::current_exception();
        ERREXIT(cinfo, JERR_UNKNOWN_MARKER);
    }
}

} // namespace

void PLJpegInitErrorState(PLJpegErrorState& state)
{
    jpeg_std_error(&state.pub);
    state.pub.error_exit = errorExit;
    state.pub.output_message = outputMessage;
    state.pending = nullptr;
    state.message[0] = 0;
}

void PLJpegRaise(PLJpegErrorState& state, j_common_ptr cinfo)
{
    jpeg_abort(cinfo);
    if (state.pending) {
        std::exception_ptr pending = state.pending;
        state.pending = nullptr;
        std::rethrow_exception(pending);
    }
    PLPicDecoder::raiseError(PL_ERRFORMAT_NOT_SUPPORTED, state.message);
}

void PLJpegSetSinkDestination(j_compress_ptr cinfo, PLDataSink* sink)
{
    if (!cinfo->dest)
        cinfo->dest = static_cast<jpeg_destination_mgr*>((*cinfo->mem->alloc_small)(
            reinterpret_cast<j_common_ptr>(cinfo), JPOOL_PERMANENT, sizeof(SinkDestination)));
    auto* dest = reinterpret_cast<SinkDestination*>(cinfo->dest);
    dest->pub.init_destination = initDestination;
    dest->pub.empty_output_buffer = emptyOutputBuffer;
    dest->pub.term_destination = termDestination;
    dest->sink = sink;
    dest->buffer = nullptr;
}

void PLJpegSetMemorySource(j_decompress_ptr cinfo, const uint8_t* data, size_t length, PLDataSource* client)
{
    auto common = reinterpret_cast<j_common_ptr>(cinfo);
    if (!cinfo->src)
        cinfo->src = static_cast<jpeg_source_mgr*>(
            (*cinfo->mem->alloc_small)(common, JPOOL_PERMANENT, sizeof(jpeg_source_mgr)));
    if (!cinfo->progress) {
        auto* progress = static_cast<Progress*>((*cinfo->mem->alloc_small)(common, JPOOL_PERMANENT, sizeof(Progress)));
        std::memset(progress, 0, sizeof *progress);
        progress->pub.progress_monitor = reportProgress;
        cinfo->progress = &progress->pub;
    }
    cinfo->client_data = client;
    jpeg_source_mgr* src = cinfo->src;
    src->init_source = noOp;
    src->fill_input_buffer = fillInputBuffer;
    src->skip_input_data = skipInputData;
    src->resync_to_restart = jpeg_resync_to_restart;
    src->term_source = noOp;
    src->next_input_byte = data;
    src->bytes_in_buffer = length;
}
