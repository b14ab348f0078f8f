// Reading JPEG files back with libjpeg, for checking what the writer made.
#ifndef SCRIBBLET_TESTS_EXPORT_JPEG_DECODING_H
#define SCRIBBLET_TESTS_EXPORT_JPEG_DECODING_H

#include <string>
#include <vector>

struct DecodedComponent {
    int id;
    int h_samp_factor;
    int v_samp_factor;
    int quant_table;
};

struct DecodedJpeg {
    bool ok = false;
    std::string error;
    unsigned width = 0;
    unsigned height = 0;
    bool ycbcr = false;
    bool progressive = false;
    std::vector<DecodedComponent> components;
    std::vector<std::vector<int>> quant_tables; // natural (row by row) order
    std::vector<unsigned char> rgb;             // rows of 3 × width bytes
};

DecodedJpeg decode_jpeg(const std::string &path);

#endif // SCRIBBLET_TESTS_EXPORT_JPEG_DECODING_H
