// Horizontal bar charts drawn as inline SVG: no script and no library, so
// the page works offline and prints as it shows. Negative values (credits)
// are drawn to the left of zero.
#ifndef TOVEX_HTMLREPORT_BAR_CHART_H
#define TOVEX_HTMLREPORT_BAR_CHART_H

#include <string>
#include <vector>

namespace tovex_html {

struct Bar {
    std::string label;  // as the project holds it: escaped here
    double value = 0.0;
    bool muted = false;  // drawn lighter: outside the total
};

// An <svg> element with one labelled bar per entry, titled `title`; empty
// when there are no bars.
std::string bar_chart(const std::vector<Bar>& bars, const std::string& title);

}  // namespace tovex_html

#endif
