// JPEG files made in the tests with libjpeg's compressor, for the windows that show pictures.
#pragma once

#include <QByteArray>

#include <jpeglib.h>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace testing_env {

// A JPEG file's bytes made with libjpeg's compressor: left half red, right half blue.
inline QByteArray EncodeJpeg(int width, int height) {
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row(size_t(width) * 3);
    for (int x = 0; x < width; ++x) {
        row[size_t(x) * 3] = x < width / 2 ? 255 : 0;
        row[size_t(x) * 3 + 2] = x < width / 2 ? 0 : 255;
    }
    while (info.next_scanline < info.image_height) {
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    QByteArray bytes(reinterpret_cast<const char*>(buffer), qsizetype(size));
    std::free(buffer);
    return bytes;
}

}  // namespace testing_env
