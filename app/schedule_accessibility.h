#pragma once

#include <QKeySequence>

namespace shift {

class TForm1;
class TForm2;

// The program as assistive technology (a screen reader, through AT-SPI) meets it: every control
// named and described in Swedish, the drawn schedule a table that takes the keyboard focus, and
// a key for the date panel's action.
//
// The schedule the main window draws is what it is: a table (role Table, the window's last
// child, named "Skiftschema") with one row for every day the active view shows and one column
// for every team it shows (views/schedule_table.h). Its children are first the cells, row by
// row (index row * columns + column), then a column header per team (role ColumnHeader, named
// "Lag C"), then a row header per day (role RowHeader, named "lördag 1 oktober 2016, vecka
// 39"). Each cell (role Cell, QAccessibleTableCellInterface, QAccessibleTextInterface) has the
// text of the tooltip over that cell as its name and its text, the clock's marks as its
// description ("I dag, arbetar nu": views/day_description.h, describeClockMarks), and the
// cell's place on the screen as its rectangle; a row's description is the tooltip over the
// row's labels, a column's the team's name. The table follows the state: after a step to other
// months, another team or the other view it has the new rows and columns.
//
// The table is the last stop of the window's tab order, after "Print ". With the focus there,
// the arrow keys move the focused cell by a day (up, down) or a team (left, right), Home and
// End to the first and the last day; the cell that gets the focus is announced (a Focus event
// for the cell), and its tooltip shows beside it. The focus first lands on today's row where it
// is shown, and stays on its day and team across a redraw that still shows them. Nothing of
// this changes a drawn pixel of the view.
//
// The date panel stays out of the tab order; kTodayKeys (Ctrl+Home) clicks it from anywhere in
// the window, and it reads as a button named "I dag: " and its caption.
//
// Example: the window at start-up on Saturday 1 October 2016, 20:00, under Sudra: the table has
// 182 rows and 5 columns; cell (0, 3) is named "lördag 1 oktober 2016, vecka 39\nLag D:
// eftermiddag 14-22" and described "I dag, arbetar nu"; Shift+Tab from the team list focuses
// cell (0, 0), and Down then Right focus cell (1, 1).

inline const QKeySequence kTodayKeys { QKeySequence(Qt::CTRL | Qt::Key_Home) };

// Makes Qt build the interfaces above (and the roles of the info window, a dialog, and of the
// view-type group, a grouping). Call after the QApplication exists; calling it again does
// nothing. TForm1's constructor calls it.
void installScheduleAccessibility();

// Names and describes the main window's controls, adds the schedule's table to the window and
// its tab order and gives the date panel kTodayKeys. Call once, after the controls exist.
void makeAccessible(TForm1 &window);

// Names and describes the info window and its controls. Call once, after they exist.
void makeAccessible(TForm2 &window);

// Tells the table that `window` has redrawn its schedule: the focused cell follows its day and
// team, and listening assistive technology hears of a table whose rows or columns changed as a
// model reset. Costs nothing while none listens.
void scheduleRedrawn(TForm1 &window);

// Tells the table that the words of its cells changed while its shape stayed (the worker's
// days were read again): assistive technology hears a model reset, as after a new shape.
void scheduleTextsChanged(TForm1 &window);

} // namespace shift
