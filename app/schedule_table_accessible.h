#pragma once

class QAccessibleInterface;

namespace shift {

class ScheduleFocus;

// The drawn schedule as assistive technology reads it (schedule_accessibility.h): the accessible
// interface of `focus`, a Table whose children are the cells, then the column headers, then the
// row headers of the window's table now (views/schedule_table.h); the parts of an earlier shape
// are dropped as the shape changes.
// Example: Qt's accessibility factory answers a ScheduleFocus with scheduleTableAccessible(it).
QAccessibleInterface *scheduleTableAccessible(ScheduleFocus &focus);

} // namespace shift
