#pragma once

namespace kv {

// What a line of a graph, a chart or a printed list draws: its width and
// pattern follow from that and from the surface.
enum class LineRole {
    Grid,       // the dotted grid lines
    Rule,       // the solid grid lines: the zero line and the lines on the edges
    Frame,      // round the plot area
    Curve,      // a waveform, a spectrum
    Bar,        // a peak bar
    TableRule,  // the rules of a printed list
    ThinRule,   // the column rules of a later page's first row
    Alarm,      // an alarm level across a report's graph
    Warning,    // a warning level, dotted
};

// How a line is drawn. Pixel surfaces (the screen, pictures at its resolution)
// keep their whole pixels: one for every line, two for the frame (which is two
// rings) and for a table rule, the painter's own dot pattern for the grid. Paper
// and print files get widths in points: grid 0.25 pt, dotted 0.5 pt on and
// 1.5 pt off, zero line and frame 0.75 pt, curves 0.75 pt, bars 0.5 pt, table
// rules 0.5 pt and thin rules 0.25 pt, limit levels 1.25 pt; so a printout reads like the screen
// rather than a mesh of device hairlines.
struct LineStyle {
    double width = 1;  // device pixels
    bool dotted = false;
    // The dots of a dotted line on paper, in device pixels; 0 on pixel
    // surfaces, which use the painter's own dots.
    double dash = 0;
    double gap = 0;
    bool operator==(const LineStyle&) const = default;
};

// Paper and print files are drawn at printer resolutions; screens and their
// pictures stay far below.
bool isPaperResolution(double dotsPerInch);

LineStyle lineStyle(LineRole role, double dotsPerInch);

}  // namespace kv
