#include "platform/screenshot_fit.h"

#include <algorithm>
#include <cstddef>

namespace reef {

std::optional<ScreenshotFit> ScreenshotFit::Make(int pictureWidth, int pictureHeight,
                                                 int screenWidth, int screenHeight,
                                                 PixelRect monitor) {
    if (pictureWidth <= 0 || pictureHeight <= 0 || screenWidth <= 0 || screenHeight <= 0 ||
        monitor.width <= 0 || monitor.height <= 0 || monitor.x < 0 || monitor.y < 0 ||
        monitor.x > screenWidth - monitor.width || monitor.y > screenHeight - monitor.height) {
        return std::nullopt;
    }
    // In 64 bits: a side times a side can pass 2^31.
    auto toPicture = [](int v, int screen, int picture) {
        return static_cast<int>(static_cast<std::int64_t>(v) * picture / screen);
    };
    ScreenshotFit fit;
    const int left = toPicture(monitor.x, screenWidth, pictureWidth);
    const int top = toPicture(monitor.y, screenHeight, pictureHeight);
    const int right = toPicture(monitor.x + monitor.width, screenWidth, pictureWidth);
    const int bottom = toPicture(monitor.y + monitor.height, screenHeight, pictureHeight);
    // A monitor thinner than one picture pixel still shows the pixel it falls in.
    fit.m_source = {std::min(left, pictureWidth - 1), std::min(top, pictureHeight - 1),
                    std::max(1, right - left), std::max(1, bottom - top)};
    fit.m_pictureWidth = pictureWidth;
    fit.m_width = monitor.width;
    fit.m_height = monitor.height;
    fit.m_columns = Spans(fit.m_source.x, fit.m_source.width, monitor.width);
    fit.m_rows = Spans(fit.m_source.y, fit.m_source.height, monitor.height);
    return fit;
}

std::vector<ScreenshotFit::Span> ScreenshotFit::Spans(int sourceBegin, int sourceLength,
                                                      int outLength) {
    std::vector<Span> spans(static_cast<std::size_t>(outLength));
    for (int i = 0; i < outLength; ++i) {
        const auto begin = static_cast<std::int64_t>(i) * sourceLength / outLength;
        const auto end = static_cast<std::int64_t>(i + 1) * sourceLength / outLength;
        spans[static_cast<std::size_t>(i)] = {
            sourceBegin + static_cast<int>(begin),
            sourceBegin + static_cast<int>(std::max(end, begin + 1))};
    }
    return spans;
}

void ScreenshotFit::Row(const std::uint8_t* rgb, int y, std::uint8_t* out) const {
    const Span rows = m_rows[static_cast<std::size_t>(y)];
    const auto stride = static_cast<std::size_t>(m_pictureWidth) * 3;
    for (int x = 0; x < m_width; ++x) {
        const Span columns = m_columns[static_cast<std::size_t>(x)];
        std::uint64_t sum[3] = {0, 0, 0};
        for (int r = rows.begin; r < rows.end; ++r) {
            const std::uint8_t* p = rgb + static_cast<std::size_t>(r) * stride +
                                    static_cast<std::size_t>(columns.begin) * 3;
            for (int c = columns.begin; c < columns.end; ++c, p += 3) {
                sum[0] += p[0];
                sum[1] += p[1];
                sum[2] += p[2];
            }
        }
        const auto count =
            static_cast<std::uint64_t>((rows.end - rows.begin) * (columns.end - columns.begin));
        std::uint8_t* o = out + static_cast<std::size_t>(x) * 4;
        o[0] = static_cast<std::uint8_t>((sum[2] + count / 2) / count);
        o[1] = static_cast<std::uint8_t>((sum[1] + count / 2) / count);
        o[2] = static_cast<std::uint8_t>((sum[0] + count / 2) / count);
        o[3] = 0;
    }
}

}  // namespace reef
