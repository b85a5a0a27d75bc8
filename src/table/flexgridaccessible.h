// How the receiver table reads to a screen reader. The grid's own row 0
// holds the column titles and its header views stay hidden; Qt's table
// interface takes column and row headers from those hidden headers, so they
// are given, for assistive technology only, the titles of row 0 and the
// receiver of each row. The red mark of the selected row is read from the
// name of the row's first cell. Nothing the grid shows changes.
#pragma once

class FlexGrid;

void exposeToScreenReaders(FlexGrid *grid);
