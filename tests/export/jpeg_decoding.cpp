#include "tests/export/jpeg_decoding.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <jpeglib.h>

namespace {

struct ReturningErrorManager {
    jpeg_error_mgr standard;
    std::jmp_buf back;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void return_to_caller(j_common_ptr cinfo)
{
    auto *manager = reinterpret_cast<ReturningErrorManager *>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, manager->message);
    std::longjmp(manager->back, 1);
}

void read_header_facts(jpeg_decompress_struct &cinfo, DecodedJpeg &out)
{
    out.width = cinfo.image_width;
    out.height = cinfo.image_height;
    out.ycbcr = cinfo.jpeg_color_space == JCS_YCbCr;
    out.progressive = cinfo.progressive_mode;
    for (int c = 0; c < cinfo.num_components; ++c) {
        const jpeg_component_info &info = cinfo.comp_info[c];
        out.components.push_back({info.component_id, info.h_samp_factor,
                                  info.v_samp_factor, info.quant_tbl_no});
    }
    for (JQUANT_TBL *table : cinfo.quant_tbl_ptrs)
        if (table != nullptr)
            out.quant_tables.emplace_back(table->quantval,
                                          table->quantval + DCTSIZE2);
}

void read_pixels(jpeg_decompress_struct &cinfo, DecodedJpeg &out)
{
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    size_t stride = static_cast<size_t>(cinfo.output_width) * 3;
    out.rgb.resize(stride * cinfo.output_height);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = out.rgb.data() + cinfo.output_scanline * stride;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
}

bool decode_stream(std::FILE *stream, DecodedJpeg &out)
{
    jpeg_decompress_struct cinfo;
    std::memset(&cinfo, 0, sizeof cinfo);
    ReturningErrorManager errors;
    cinfo.err = jpeg_std_error(&errors.standard);
    errors.standard.error_exit = return_to_caller;
    if (setjmp(errors.back)) {
        out.error = errors.message;
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_stdio_src(&cinfo, stream);
    jpeg_read_header(&cinfo, TRUE);
    read_header_facts(cinfo, out);
    read_pixels(cinfo, out);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

} // namespace

DecodedJpeg decode_jpeg(const std::string &path)
{
    DecodedJpeg out;
    std::FILE *stream = std::fopen(path.c_str(), "rb");
    if (stream == nullptr) {
        out.error = "cannot open " + path;
        return out;
    }
    out.ok = decode_stream(stream, out);
    std::fclose(stream);
    return out;
}
