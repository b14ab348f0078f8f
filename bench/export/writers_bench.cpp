// The BMP and JPEG writers on canvases of 800 × 800 and 8000 × 8000; the
// JPEG writer's time against the library compressing the same buffer into
// memory with the same settings, and the BMP writer's against one fwrite
// and an fsync of the same bytes.
#include "export/bmp_writer.h"
#include "export/jpeg_writer.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <jpeglib.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// A drawing: white, crossed by strokes in the five pen colours.
std::vector<unsigned char> drawing_read_out(int side)
{
    const unsigned char pens[5][3] = {
        {0, 0, 255}, {0, 255, 0}, {255, 0, 0}, {0, 0, 0}, {255, 255, 255}};
    std::vector<unsigned char> read_out(static_cast<size_t>(side) * side * 4,
                                        0xFF);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            int stroke = (x + 2 * y) / 3 % 97;
            if (stroke >= 5)
                continue;
            unsigned char *pixel =
                &read_out[(static_cast<size_t>(y) * side + x) * 4];
            for (int c = 0; c < 3; ++c)
                pixel[c] = pens[stroke][c];
        }
    return read_out;
}

// Blue, green, red and a spare byte to rows of red, green, blue.
std::vector<unsigned char> rgb_of(const std::vector<unsigned char> &read_out)
{
    std::vector<unsigned char> rgb;
    rgb.reserve(read_out.size() / 4 * 3);
    for (size_t i = 0; i < read_out.size(); i += 4) {
        rgb.push_back(read_out[i + 2]);
        rgb.push_back(read_out[i + 1]);
        rgb.push_back(read_out[i]);
    }
    return rgb;
}

std::string bench_file(const char *name)
{
    return (std::filesystem::temp_directory_path() / name).string();
}

// The library alone: the same settings, compressed into memory.
void compress_to_memory(const unsigned char *rgb, int side)
{
    jpeg_compress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char *out = nullptr;
    unsigned long out_size = 0;
    jpeg_mem_dest(&cinfo, &out, &out_size);
    cinfo.image_width = static_cast<JDIMENSION>(side);
    cinfo.image_height = static_cast<JDIMENSION>(side);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 80, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    const size_t stride = static_cast<size_t>(side) * 3;
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb + cinfo.next_scanline * stride);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    benchmark::DoNotOptimize(out_size);
    std::free(out);
}

using Writer = WriteResult (*)(const char *, const BYTE *, LONG, LONG);

// Saves `pixels`, a canvas of `side` × `side`, again and again.
void run_writer(benchmark::State &state, Writer write,
                const std::vector<unsigned char> &pixels, const char *file)
{
    const int side = static_cast<int>(state.range(0));
    std::string name = bench_file(file);
    for (auto _ : state) {
        WriteResult result = write(name.c_str(), pixels.data(), side, side);
        if (result.failure != WRITE_OK)
            state.SkipWithError(write_failure_text(result.failure));
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<int64_t>(pixels.size()));
    std::remove(name.c_str());
}

void BM_WriteBmp(benchmark::State &state)
{
    const int side = static_cast<int>(state.range(0));
    run_writer(state, write_bmp, drawing_read_out(side), "scribblet-bench.bmp");
}

void BM_WriteJpeg(benchmark::State &state)
{
    const int side = static_cast<int>(state.range(0));
    run_writer(state, write_jpeg, rgb_of(drawing_read_out(side)),
               "scribblet-bench.jpg");
}

void BM_CompressJpegToMemory(benchmark::State &state)
{
    const int side = static_cast<int>(state.range(0));
    std::vector<unsigned char> rgb = rgb_of(drawing_read_out(side));
    for (auto _ : state)
        compress_to_memory(rgb.data(), side);
    state.SetBytesProcessed(state.iterations() *
                            static_cast<int64_t>(rgb.size()));
}

// The time of `measured` as a multiple of `baseline`'s, both run here in
// turns so that they see the same machine state.
template <typename Measured, typename Baseline>
void ratio_in_turns(benchmark::State &state, Measured measured,
                    Baseline baseline)
{
    using Clock = std::chrono::steady_clock;
    Clock::duration measured_time{}, baseline_time{};
    for (auto _ : state) {
        Clock::time_point start = Clock::now();
        measured();
        Clock::time_point middle = Clock::now();
        baseline();
        Clock::time_point end = Clock::now();
        measured_time += middle - start;
        baseline_time += end - middle;
    }
    state.counters["ratio"] =
        std::chrono::duration<double>(measured_time).count() /
        std::chrono::duration<double>(baseline_time).count();
}

void BM_JpegWriterOverBareCompression(benchmark::State &state)
{
    const int side = static_cast<int>(state.range(0));
    std::vector<unsigned char> rgb = rgb_of(drawing_read_out(side));
    std::string name = bench_file("scribblet-bench-ratio.jpg");
    ratio_in_turns(
        state, [&] { write_jpeg(name.c_str(), rgb.data(), side, side); },
        [&] { compress_to_memory(rgb.data(), side); });
    std::remove(name.c_str());
}

std::vector<unsigned char> file_bytes(const std::string &name)
{
    std::vector<unsigned char> bytes;
    if (std::FILE *in = std::fopen(name.c_str(), "rb")) {
        unsigned char chunk[65536];
        size_t got;
        while ((got = std::fread(chunk, 1, sizeof chunk, in)) > 0)
            bytes.insert(bytes.end(), chunk, chunk + got);
        std::fclose(in);
    }
    return bytes;
}

// The same bytes written the plainest way there is: one fwrite over the
// file, then fsync.
void write_and_sync(const std::string &name,
                    const std::vector<unsigned char> &bytes)
{
    std::FILE *out = std::fopen(name.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), out);
    std::fflush(out);
    fsync(fileno(out));
    std::fclose(out);
}

// The BMP writer's time (a new file, synced, moved over the old one) as a
// multiple of writing its bytes with one fwrite and an fsync.
void BM_BmpWriterOverFwriteAndFsync(benchmark::State &state)
{
    const int side = static_cast<int>(state.range(0));
    std::vector<unsigned char> read_out = drawing_read_out(side);
    std::string name = bench_file("scribblet-bench-ratio.bmp");
    std::string plain = bench_file("scribblet-bench-plain.bmp");
    write_bmp(name.c_str(), read_out.data(), side, side);
    const std::vector<unsigned char> bytes = file_bytes(name);
    ratio_in_turns(
        state, [&] { write_bmp(name.c_str(), read_out.data(), side, side); },
        [&] { write_and_sync(plain, bytes); });
    std::remove(name.c_str());
    std::remove(plain.c_str());
}

} // namespace

BENCHMARK(BM_WriteBmp)->Arg(800)->Arg(8000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteJpeg)->Arg(800)->Arg(8000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompressJpegToMemory)
    ->Arg(800)
    ->Arg(8000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JpegWriterOverBareCompression)
    ->Arg(800)
    ->Arg(8000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BmpWriterOverFwriteAndFsync)
    ->Arg(800)
    ->Arg(8000)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
