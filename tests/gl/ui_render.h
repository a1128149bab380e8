#pragma once

#include <gtest/gtest.h>
#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/image.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "ui/ui_types.h"

namespace reef::test {

// Draws a control (anything with DrawTo(wxDC&)) into a bitmap of its client size.
template <typename Control>
wxImage RenderControl(const Control& control) {
    const wxSize size = control.GetClientSize();
    wxBitmap bitmap(size.x, size.y, 24);
    {
        wxMemoryDC dc(bitmap);
        // White shows what a control leaves unpainted.
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        control.DrawTo(dc);
    }
    return bitmap.ConvertToImage();
}

inline ColorRef PixelAt(const wxImage& image, int x, int y) {
    return MakeColorRef(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y));
}

// Number of pixels of exactly `color` within the rectangle (clipped to the image).
inline int CountColor(const wxImage& image, ColorRef color, int x0 = 0, int y0 = 0,
                      int width = 1 << 20, int height = 1 << 20) {
    int count = 0;
    for (int y = std::max(0, y0); y < std::min(image.GetHeight(), y0 + height); ++y) {
        for (int x = std::max(0, x0); x < std::min(image.GetWidth(), x0 + width); ++x) {
            count += PixelAt(image, x, y) == color ? 1 : 0;
        }
    }
    return count;
}

// A shown frame to hold the controls of one test; saves the last rendering of a failed test.
class ControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_frame = new wxFrame(nullptr, wxID_ANY, "controls", wxPoint(0, 0), wxSize(400, 200));
        m_frame->Show();
    }
    void TearDown() override {
        if (HasFailure() && m_last.IsOk()) {
            const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
            const char* dir = std::getenv("TMPDIR");
            const std::string path = std::string(dir ? dir : "/tmp") + "/" + info->name() + ".png";
            if (wxImage::FindHandler(wxBITMAP_TYPE_PNG) == nullptr) {
                wxImage::AddHandler(new wxPNGHandler());
            }
            m_last.SaveFile(path, wxBITMAP_TYPE_PNG);
            std::fprintf(stderr, "rendering saved as %s\n", path.c_str());
        }
        m_frame->Destroy();
    }
    template <typename Control>
    const wxImage& Render(const Control& control) {
        m_last = RenderControl(control);
        return m_last;
    }

    wxFrame* m_frame = nullptr;
    wxImage m_last;
};

}  // namespace reef::test
