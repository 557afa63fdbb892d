#include "operations/AreaShrink.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// The source pixels one target pixel covers along one axis, with their shares.
struct Spans {
    std::vector<int> first;     // per target pixel: the first source pixel
    std::vector<int> count;     // how many source pixels it covers
    std::vector<size_t> offset; // where its shares start in `shares`
    std::vector<float> shares;  // summing to 1 per target pixel
};

Spans spansFor(int sourceLength, int targetLength)
{
    Spans spans;
    spans.first.resize(static_cast<size_t>(targetLength));
    spans.count.resize(static_cast<size_t>(targetLength));
    spans.offset.resize(static_cast<size_t>(targetLength));
    const double step = static_cast<double>(sourceLength) / targetLength;
    for (int t = 0; t < targetLength; ++t) {
        const double from = t * step;
        const double to = std::min((t + 1) * step, static_cast<double>(sourceLength));
        const int first = std::min(static_cast<int>(from), sourceLength - 1);
        const int end = std::max(first + 1, std::min(static_cast<int>(std::ceil(to)), sourceLength));
        spans.first[static_cast<size_t>(t)] = first;
        spans.count[static_cast<size_t>(t)] = end - first;
        spans.offset[static_cast<size_t>(t)] = spans.shares.size();
        for (int s = first; s < end; ++s) {
            const double part = std::min(to, s + 1.0) - std::max(from, static_cast<double>(s));
            spans.shares.push_back(static_cast<float>(std::max(part, 0.0) / (to - from)));
        }
    }
    return spans;
}

// One row of column sums shrunk along x into target pixels, rounded.
void shrinkRow(const float* row, const Spans& xs, int channels, uint8_t* out)
{
    const size_t width = xs.first.size();
    for (size_t t = 0; t < width; ++t) {
        const float* pixel = row + static_cast<ptrdiff_t>(xs.first[t]) * channels;
        const float* share = &xs.shares[xs.offset[t]];
        float sum[4] = {0, 0, 0, 0};
        for (int s = 0; s < xs.count[t]; ++s, pixel += channels)
            for (int c = 0; c < channels; ++c)
                sum[c] += share[s] * pixel[c];
        for (int c = 0; c < channels; ++c)
            *out++ = static_cast<uint8_t>(std::clamp(sum[c] + 0.5f, 0.0f, 255.0f));
    }
}

} // namespace

// Down first, across second: the source rows are summed whole (plain loops
// the compiler vectorizes), and only the target's rows are shrunk across.
void shrinkByAreaAverage(const PixelRows& source, const PixelRows& target, int channels)
{
    if (source.pixels == nullptr || target.pixels == nullptr || source.width <= 0 || source.height <= 0 ||
        target.width <= 0 || target.height <= 0 || channels < 1 || channels > 4)
        return;
    const Spans xs = spansFor(source.width, target.width);
    const Spans ys = spansFor(source.height, target.height);
    const size_t rowLength = static_cast<size_t>(source.width) * static_cast<size_t>(channels);
    std::vector<float> sum(rowLength);
    for (int ty = 0; ty < target.height; ++ty) {
        std::fill(sum.begin(), sum.end(), 0.0f);
        const size_t t = static_cast<size_t>(ty);
        for (int s = 0; s < ys.count[t]; ++s) {
            const uint8_t* row = source.pixels + (ys.first[t] + s) * source.stride;
            const float share = ys.shares[ys.offset[t] + static_cast<size_t>(s)];
            float* into = sum.data();
            for (size_t i = 0; i < rowLength; ++i)
                into[i] += share * static_cast<float>(row[i]);
        }
        shrinkRow(sum.data(), xs, channels, target.pixels + ty * target.stride);
    }
}
