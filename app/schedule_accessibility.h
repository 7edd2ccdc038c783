#pragma once

namespace shift {

class TForm1;

// The schedule the main window draws, shown to assistive technology (screen readers) as what
// it is: a table. The window's accessible interface has, after its controls, one more child
// of role Table (QAccessibleTableInterface) with one row for every day the active view shows
// and one column for every team it shows (views/schedule_table.h). Each cell (role Cell,
// QAccessibleTableCellInterface) has the text of the tooltip over that cell as its name and
// the cell's place on the screen as its rectangle; a row's description is the tooltip over
// the row's labels, a column's the team's name. The table follows the state: after a step
// to other months, another team or the other view it has the new rows and columns.
//
// Example: the window at start-up on 1 October 2016 under Sudra: the table has 182 rows and
// 5 columns; cell (0, 3) is named "lördag 1 oktober 2016, vecka 39\nLag D: eftermiddag 14-22".

// Makes Qt build TForm1's accessible interface as above. Call after the QApplication exists;
// calling it again does nothing. TForm1's constructor calls it.
void installScheduleAccessibility();

// Tells listening assistive technology that `window` has redrawn its schedule: a table whose
// rows or columns changed announces a model reset. Costs nothing while none listens.
void scheduleRedrawn(TForm1 &window);

} // namespace shift
