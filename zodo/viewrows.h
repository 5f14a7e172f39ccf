// What the marks and Copy take from a view to walk its rows: the row
// geometry of its display font in its window, and a line's display length
// (the line rendered into the view's line text).
#ifndef ZODO_VIEWROWS_H
#define ZODO_VIEWROWS_H

#include <functional>

#include "layout.h"
#include "zodoview.h"

zodo::RowMetrics ViewRowMetrics(const CZodoView& view);
std::function<int(const zodo::LineRecord*)> ViewDisplayLength(CZodoView& view);

#endif
