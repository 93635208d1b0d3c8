#pragma once
// The painting tools and zoom: a bucket fill of the whole map, a frame drawn at 6 pixels per
// cell with the benchmark's 400 objects in view, and a change of zoom with its first frame.
#include "harness.h"

class MapEditor;

void addPaintCases(Harness& harness, MapEditor& editor);
