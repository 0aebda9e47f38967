// The page's style sheet, kept in the page so that it needs nothing else.
#ifndef TOVEX_HTMLREPORT_PAGE_STYLE_H
#define TOVEX_HTMLREPORT_PAGE_STYLE_H

namespace tovex_html {

inline constexpr const char* page_style = R"css(
body { font-family: "DejaVu Sans", Arial, sans-serif; color: #222; margin: 2em auto; max-width: 60em; padding: 0 1em; }
h1 { font-size: 1.5em; margin-bottom: 0.2em; }
h2 { font-size: 1.15em; margin-top: 1.8em; border-bottom: 1px solid #ccc; padding-bottom: 0.2em; }
p.meta { color: #555; margin-top: 0; }
.figures { display: flex; flex-wrap: wrap; gap: 1em; margin: 1em 0; }
.figure { border: 1px solid #ccc; border-radius: 4px; padding: 0.6em 1em; }
.figure .value { font-size: 1.4em; font-weight: bold; }
.figure .label { color: #555; font-size: 0.85em; }
table { border-collapse: collapse; width: 100%; font-size: 0.9em; margin: 0.6em 0; }
th, td { border-bottom: 1px solid #ddd; padding: 0.25em 0.5em; text-align: left; vertical-align: top; }
th { background: #f3f3f3; }
td.number, th.number { text-align: right; font-variant-numeric: tabular-nums; white-space: nowrap; }
tr.outside td { color: #666; }
.negative { color: #1a6b2a; }
.bad { color: #b00020; font-weight: bold; }
.warnings { border: 2px solid #b00020; background: #fff4f4; border-radius: 4px; padding: 0.5em 1em; }
.warnings h2 { margin-top: 0.3em; border: none; color: #b00020; }
.checks { border: 1px solid #bbb; border-radius: 4px; padding: 0.5em 1em; }
.checks h2 { margin-top: 0.3em; border: none; }
.checks tr.error td { color: #b00020; }
.checks tr.error td:first-child { font-weight: bold; }
.checks tr.note td { color: #555; }
.note { color: #555; font-size: 0.85em; }
svg.chart { max-width: 100%; font-size: 11px; }
svg.chart rect.charge { fill: #3b6ea8; }
svg.chart rect.credit { fill: #3a9a4f; }
svg.chart rect.muted { fill-opacity: 0.45; }
svg.chart line.zero { stroke: #444; stroke-width: 1; }
svg.chart text.value { fill: #333; }
@page { margin: 15mm; }
@media print {
  body { margin: 0; max-width: none; font-size: 10pt; }
  h2 { break-after: avoid; }
  table, svg.chart, .figures { break-inside: avoid; }
}
)css";

}  // namespace tovex_html

#endif
