#include "controls/ShadowImage.h"

#include <algorithm>
#include <cmath>

std::vector<RowSpan> ComputeOutline(int width, int height, const std::function<bool(int, int)>& inside)
{
    std::vector<RowSpan> rows(height > 0 ? height : 0, RowSpan{width, 0});
    for (int y = 0; y < height; ++y) {
        int start = 0;
        while (start < width && !inside(start, y))
            ++start;
        if (start == width)
            continue;
        int last = width - 1;
        while (last > start && !inside(last, y))
            --last;
        rows[y] = {start, last + 1};
    }
    return rows;
}

std::vector<RowSpan> RectangleOutline(int width, int height)
{
    return std::vector<RowSpan>(height > 0 ? height : 0, width > 0 ? RowSpan{0, width} : RowSpan{width, 0});
}

std::uint32_t ShadowPixel(std::uint32_t color, int alpha)
{
    const std::uint32_t a = static_cast<std::uint32_t>(alpha) & 0xFF;
    const std::uint32_t r = color & 0xFF;
    const std::uint32_t g = (color >> 8) & 0xFF;
    const std::uint32_t b = (color >> 16) & 0xFF;
    return a << 24 | (r * a / 255) << 16 | (g * a / 255) << 8 | (b * a / 255);
}

bool ShadowImageSize(int width, int height, const ShadowParams& params, int& imageWidth, int& imageHeight)
{
    const long long w = static_cast<long long>(width) + 2LL * params.size;
    const long long h = static_cast<long long>(height) + 2LL * params.size;
    if (w <= 0 || h <= 0 || w > kMaxShadowEdge || h > kMaxShadowEdge || w * h > kMaxShadowPixels)
        return false;
    imageWidth = static_cast<int>(w);
    imageHeight = static_cast<int>(h);
    return true;
}

namespace {

class ShadowCanvas {
public:
    ShadowCanvas(std::uint32_t* bits, int width, int height) : m_bits(bits), m_width(width), m_height(height) {}

    // Row 0 is the image's top; the buffer holds it last.
    std::uint32_t* Row(int y) const { return m_bits + static_cast<std::size_t>(m_height - 1 - y) * m_width; }

    void Fill(int y, int from, int to, std::uint32_t value) const
    {
        from = std::max(from, 0);
        to = std::min(to, m_width);
        if (y < 0 || y >= m_height || from >= to)
            return;
        std::fill(Row(y) + from, Row(y) + to, value);
    }

    void Stamp(int cx, int cy, int radius, const std::vector<std::uint32_t>& kernel) const
    {
        const int side = 2 * radius + 1;
        for (int dy = -radius; dy <= radius; ++dy) {
            const int y = cy + dy;
            if (y < 0 || y >= m_height)
                continue;
            std::uint32_t* row = Row(y);
            const std::uint32_t* cells = &kernel[static_cast<std::size_t>(dy + radius) * side];
            const int x0 = std::max(cx - radius, 0);
            const int x1 = std::min(cx + radius, m_width - 1);
            for (int x = x0; x <= x1; ++x)
                row[x] = std::max(row[x], cells[x - cx + radius]);
        }
    }

private:
    std::uint32_t* m_bits;
    int m_width;
    int m_height;
};

std::vector<std::uint32_t> MakeKernel(int radius, int core, const ShadowParams& params)
{
    const int side = 2 * radius + 1;
    const int k = params.sharpness;
    const int d = params.darkness;
    std::vector<std::uint32_t> kernel(static_cast<std::size_t>(side) * side, 0);
    for (int dy = -radius; dy <= radius; ++dy) {
        for (int dx = -radius; dx <= radius; ++dx) {
            const double delta = std::sqrt(static_cast<double>(dx * dx + dy * dy));
            std::uint32_t value = 0;
            if (delta < core)
                value = ShadowPixel(params.color, d);
            else if (delta <= radius)
                value = ShadowPixel(params.color, static_cast<int>((1 - (delta - core) / (k + 1)) * d));
            kernel[static_cast<std::size_t>(dy + radius) * side + (dx + radius)] = value;
        }
    }
    return kernel;
}

}  // namespace

void MakeShadowImage(std::uint32_t* bits,
                     int width,
                     int height,
                     const std::vector<RowSpan>& outline,
                     const ShadowParams& params)
{
    int imageWidth = 0;
    int imageHeight = 0;
    if (!bits || height < 0 || outline.size() != static_cast<std::size_t>(height) ||
        !ShadowImageSize(width, height, params, imageWidth, imageHeight))
        return;

    const int s = params.size;
    const int k = params.sharpness;
    const int xo = params.xOffset;
    const int yo = params.yOffset;
    const int W = imageWidth;
    const int H = imageHeight;
    const RowSpan empty{width, 0};

    // Anchor rows: the parent's rows placed in shadow coordinates, framed by empty rows.
    const int n = std::max(H, height);
    std::vector<RowSpan> anchors(static_cast<std::size_t>(n) + 2, empty);
    const int rowShift = 1 + std::max(s, 0);
    for (int y = 0; y < height; ++y) {
        const RowSpan& row = outline[y];
        anchors[y + rowShift] = row.start < row.end ? RowSpan{row.start + s, row.end + s} : empty;
    }

    // Erosion: each pass narrows a row to what it shares with both neighbours, less one pixel.
    std::vector<RowSpan> next(anchors.size(), empty);
    for (int pass = 0; pass < k - s; ++pass) {
        for (int j = 1; j <= n; ++j) {
            next[j].start = std::max({anchors[j - 1].start, anchors[j].start, anchors[j + 1].start}) + 1;
            next[j].end = std::min({anchors[j - 1].end, anchors[j].end, anchors[j + 1].end}) - 1;
        }
        anchors.swap(next);
    }

    const int anchorBase = 1 + (s < 0 ? -s : 0);
    auto anchor = [&](int i) -> RowSpan {
        const long long index = static_cast<long long>(i) + anchorBase;
        return index >= 0 && index < static_cast<long long>(anchors.size()) ? anchors[index] : empty;
    };

    const int radius = std::max(k, s);
    const int core = s > k ? s - k : 0;
    const std::vector<std::uint32_t> kernel = MakeKernel(radius, core, params);
    const ShadowCanvas canvas(bits, W, H);

    // Blur: stamp the kernel along the row ends that are not covered by the rows above and below.
    for (int i = radius; i < H - radius; ++i) {
        const RowSpan row = anchor(i);
        if (row.start >= row.end)
            continue;
        const RowSpan up = anchor(i - 1);
        const RowSpan down = anchor(i + 1);
        int j = row.start;
        const int leftLimit = std::min(std::max(up.start, down.start) + 1, row.end);
        for (; j < leftLimit; ++j)
            canvas.Stamp(j, i, radius, kernel);
        for (int jr = std::max(j, std::min(up.end, down.end) - 1); jr < row.end; ++jr)
            canvas.Stamp(jr, i, radius, kernel);
    }

    // Core and cut-out: full darkness inside the anchors, nothing where the parent lies over the shadow.
    const std::uint32_t corePixel = ShadowPixel(params.color, params.darkness);
    const int firstRow = std::min(radius, std::max(s - yo, 0));
    const int endRow = std::max(H - radius, std::min(height + s - yo, height + 2 * s));
    for (int i = firstRow; i < endRow && i < H; ++i) {
        const RowSpan row = anchor(i);
        const int o = i - s + yo;
        if (o < 0 || o >= height) {
            canvas.Fill(i, row.start, row.end, corePixel);
            continue;
        }
        const int u = outline[o].start + s - xo;
        const int v = outline[o].end + s - xo;
        canvas.Fill(i, row.start, std::min(u, row.end), corePixel);
        canvas.Fill(i, std::max(u, 0), std::min(v, W), 0);
        canvas.Fill(i, std::max(v, row.start), row.end, corePixel);
    }
}
