// JPEG decoding with libjpeg; its errors come back as exceptions instead of ending the program.
#include "platform/ui/Jpeg.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>

namespace {

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

// libjpeg's default ends the process; this one returns to the decoder with the message.
[[noreturn]] void ErrorExit(j_common_ptr info) {
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, errors->message);
    std::longjmp(errors->jump, 1);
}

void IgnoreWarning(j_common_ptr) {}

// Adobe's CMYK JPEGs store the inks inverted.
void CmykRowToRgb(const JSAMPLE* in, uchar* out, JDIMENSION width) {
    for (JDIMENSION x = 0; x < width; ++x, in += 4, out += 3) {
        const int k = in[3];
        out[0] = uchar(in[0] * k / 255);
        out[1] = uchar(in[1] * k / 255);
        out[2] = uchar(in[2] * k / 255);
    }
}

// Only plain data lives in this frame: a longjmp back to it skips no destructor.
bool Decode(const QByteArray& bytes, QImage& out, ErrorManager& errors) {
    jpeg_decompress_struct info;
    info.err = jpeg_std_error(&errors.pub);
    errors.pub.error_exit = ErrorExit;
    errors.pub.output_message = IgnoreWarning;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<unsigned char*>(const_cast<char*>(bytes.constData())),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_start_decompress(&info);
    out = QImage(int(info.output_width), int(info.output_height), QImage::Format_RGB888);
    if (out.isNull()) {
        std::strcpy(errors.message, "Not enough memory for the picture");
        jpeg_destroy_decompress(&info);
        return false;
    }
    JSAMPARRAY row = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                               info.output_width * JDIMENSION(info.output_components), 1);
    while (info.output_scanline < info.output_height) {
        uchar* line = out.scanLine(int(info.output_scanline));
        jpeg_read_scanlines(&info, row, 1);
        if (cmyk) CmykRowToRgb(row[0], line, info.output_width);
        else std::memcpy(line, row[0], size_t(info.output_width) * 3);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

}  // namespace

void TJPEGImage::LoadFromBytes(const QByteArray& bytes) { image_ = ui::DecodeJpeg(bytes); }

namespace ui {

QImage DecodeJpeg(const QByteArray& bytes) {
    QImage image;
    ErrorManager errors{};
    if (!Decode(bytes, image, errors))
        throw EInvalidGraphic(QStringLiteral("JPEG error: ") + QString::fromLocal8Bit(errors.message));
    return image;
}

}  // namespace ui
