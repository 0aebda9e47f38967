#include "htmlreport/bar_chart.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "htmlreport/html_text.h"

namespace tovex_html {

namespace {

constexpr double width = 680;
constexpr double label_width = 190;
constexpr double value_width = 90;  // room for the value beside a bar
constexpr double row_height = 22;
constexpr double bar_height = 14;

std::string number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

// A label longer than the label column is cut, and shown whole on hover.
std::string short_label(const std::string& label)
{
    constexpr std::size_t most = 26;
    if (label.size() <= most) return label;
    std::size_t cut = most;
    while (cut > 0 && (static_cast<unsigned char>(label[cut]) & 0xC0) == 0x80) --cut;  // not inside a character
    return label.substr(0, cut) + "...";
}

}  // namespace

std::string bar_chart(const std::vector<Bar>& bars, const std::string& title)
{
    if (bars.empty()) return "";
    double low = 0.0;
    double high = 0.0;
    for (const Bar& bar : bars) {
        if (!std::isfinite(bar.value)) continue;
        low = std::min(low, bar.value);
        high = std::max(high, bar.value);
    }
    const double span = high - low > 0 ? high - low : 1.0;
    const double plot_left = label_width + (low < 0 ? value_width : 0);
    const double plot_width = width - plot_left - value_width;
    const double zero = plot_left + plot_width * (-low / span);
    const double height = row_height * static_cast<double>(bars.size()) + 8;

    std::string svg = "<svg class=\"chart\" role=\"img\" viewBox=\"0 0 " + number(width) + " " + number(height) +
                      "\" width=\"100%\" xmlns=\"http://www.w3.org/2000/svg\"><title>" + escaped(title) + "</title>";
    double y = 4;
    for (const Bar& bar : bars) {
        const double value = std::isfinite(bar.value) ? bar.value : 0.0;
        const double length = plot_width * std::fabs(value) / span;
        const double x = value < 0 ? zero - length : zero;
        svg += "<g><title>" + escaped(bar.label) + ": " + grouped(bar.value, 2) + "</title>";
        svg += "<text x=\"" + number(label_width - 6) + "\" y=\"" + number(y + 12) + "\" text-anchor=\"end\">" +
               escaped(short_label(bar.label)) + "</text>";
        svg += "<rect x=\"" + number(x) + "\" y=\"" + number(y + (row_height - bar_height) / 2 - 2) + "\" width=\"" +
               number(std::max(length, 0.5)) + "\" height=\"" + number(bar_height) + "\" class=\"" +
               (value < 0 ? "credit" : "charge") + (bar.muted ? " muted" : "") + "\"/>";
        const double label_x = value < 0 ? x - 4 : x + std::max(length, 0.5) + 4;
        svg += "<text x=\"" + number(label_x) + "\" y=\"" + number(y + 12) + "\" text-anchor=\"" +
               (value < 0 ? "end" : "start") + "\" class=\"value\">" + grouped(bar.value, 2) + "</text></g>";
        y += row_height;
    }
    svg += "<line x1=\"" + number(zero) + "\" x2=\"" + number(zero) + "\" y1=\"0\" y2=\"" + number(height) +
           "\" class=\"zero\"/></svg>";
    return svg;
}

}  // namespace tovex_html
