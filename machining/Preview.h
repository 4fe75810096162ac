#pragma once

#include <machining/MachiningPlan.h>
#include <machining/Plane.h>

#include <vector>

// A tool's path as the preview draws it over the door: a polyline in the
// leaf's x and y (seen from above), either rapid moves or cuts.
struct PreviewStroke {
    int tool = 0; // which tool of the preview, from 0, in the order of first use
    bool rapid = false;
    std::vector<Point2> points;
};

// The strokes of the programs, each tool use's path split into runs of
// rapid moves and runs of cuts. Tools are numbered across the plans by their
// table number, so a tool used by both programs keeps one colour.
std::vector<PreviewStroke> PreviewStrokes(const std::vector<const MachiningPlan*>& plans);
