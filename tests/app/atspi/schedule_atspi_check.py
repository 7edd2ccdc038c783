#!/usr/bin/python3
"""The running program read through AT-SPI as a screen reader reads it.

Every control of the main window and of the info window has a Swedish name and description;
the schedule is a table with column and row headers whose cells have text and say today and the
shift working now; Shift+Tab and the arrow keys (typed with xdotool) move the focus through the
table, and the focus events name the cell; Ctrl+Home does what the date panel's click does.
Every wait polls for its condition with a bound.

The worker's days (recorded before the start on team D) show where the view shows team D:
in the cells' text, and in the calendar as blue marks beside the letters; a day shiftcal adds
while the window is open shows without a restart.

usage: schedule_atspi_check.py WINDOW_ID SHIFTCAL ARTIFACT_DIR
       (the main window's X id, for xdotool; the shiftcal that keeps the worker's days)
"""
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

TIMEOUT = 60.0  # a bound for a busy machine; every wait ends as soon as it holds
FIRST_OF_OCTOBER = "lördag 1 oktober 2016, vecka 39"
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAIL:", what, file=sys.stderr)


def wait_for(what, probe):
    deadline = time.monotonic() + TIMEOUT
    while True:
        GLib.MainContext.default().iteration(False)
        try:
            value = probe()
        except GLib.Error:  # an object that went while it was read (a tooltip)
            value = None
        if value:
            return value
        if time.monotonic() > deadline:
            print("FAIL: timed out waiting for", what, file=sys.stderr)
            sys.exit(1)
        time.sleep(0.02)


def children(node):
    return [node.getChildAtIndex(i) for i in range(node.childCount)]


def find(node, role, name=None):
    for child in children(node):
        if child is None:
            continue
        if child.getRole() == role and (name is None or child.name == name):
            return child
        if child.getRole() not in (pyatspi.ROLE_TABLE, pyatspi.ROLE_COMBO_BOX):
            found = find(child, role, name)
            if found is not None:
                return found
    return None


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for app in children(desktop):
        if app is not None and app.name == "shiftschedule":
            return app
    return None


def key(*keys):
    subprocess.run(["xdotool", "key", "--window", sys.argv[1], *keys], check=True)


def labelled_by(node):
    for relation in node.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            return relation.getTarget(0).name
    return ""


def controls(node):
    """The controls under node a user meets: every showing object but the parts of a table, a
    list or a text box (its scroll bars are Qt's)."""
    for child in children(node):
        if child is None or not child.getState().contains(pyatspi.STATE_SHOWING):
            continue
        yield child
        if child.getRole() not in (pyatspi.ROLE_TABLE, pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_TEXT):
            yield from controls(child)


def check_named(window, expected):
    """Every control of window has a name (a list through its label) and a description, and
    the names are those expected, in this order."""
    names = []
    for control in controls(window):
        if control.getRole() == pyatspi.ROLE_LABEL:
            continue
        name = labelled_by(control) if control.getRole() == pyatspi.ROLE_COMBO_BOX else control.name
        check(name != "", f"{control.getRoleName()} has no name")
        check(control.description != "", f"{control.getRoleName()} {name!r} has no description")
        names.append(name)
    check(names == expected, f"names {names} != {expected}")


app = wait_for("the program on the accessibility bus", application)
main = wait_for("the main window", lambda: find(app, pyatspi.ROLE_FRAME))
table = wait_for("the schedule's table", lambda: find(main, pyatspi.ROLE_TABLE, "Skiftschema"))

# The date panel reads as a button named with today's date, in the system's short format.
PANEL = next(c.name for c in controls(main) if c.name.startswith("I dag: "))
check("2016" in PANEL, f"the panel's name {PANEL!r}")
check_named(main, ["Skiftlag", PANEL, "En månad bakåt", "Snabbt bakåt",
                   "Snabbt framåt", "En månad framåt", "Om programmet", "Lagrotation",
                   "Visa som", "Kalender", "Normal", "Skriv ut", "Skiftschema"])
check(main.description != "", "the main window has no description")

# The table, its headers and a cell's text, as a screen reader walks them.
grid = table.queryTable()
check((grid.nRows, grid.nColumns) == (182, 5), f"table of {grid.nRows} x {grid.nColumns}")
check(grid.getColumnHeader(2).name == "Lag C", "column header 2")
check(grid.getRowHeader(0).name == FIRST_OF_OCTOBER, "row header 0")
check(grid.getRowHeader(0).description == "I dag", "row header 0 says today")
cell = grid.getAccessibleAt(0, 3)
text = cell.queryText()
check(text.getText(0, -1) == FIRST_OF_OCTOBER + "\nLag D: eftermiddag 14-22", "text of (0, 3)")
check(cell.description == "I dag, arbetar nu", f"description of (0, 3): {cell.description!r}")
check(grid.getAccessibleAt(0, 0).description == "I dag", "description of (0, 0)")
check(grid.getAccessibleAt(1, 3).description == "", "description of (1, 3)")
index = cell.getIndexInParent()
check((grid.getRowAtIndex(index), grid.getColumnAtIndex(index)) == (0, 3), "(0, 3) by index")

# The focus through the table by keyboard, as the focus events tell it.
focused = []


def on_focus(event):
    if event.detail1 == 1:
        focused.append(event.source)


pyatspi.Registry.registerEventListener(on_focus, "object:state-changed:focused")


def focus_lands_on(keys, row, column):
    before = len(focused)
    key(*keys)
    target = grid.getAccessibleAt(row, column).name

    def landed():
        return len(focused) > before and focused[-1].name == target \
            and focused[-1].getState().contains(pyatspi.STATE_FOCUSED)

    wait_for(f"the focus on ({row}, {column}) after {keys}", landed)
    cell = focused[-1]
    check(cell.getRole() == pyatspi.ROLE_TABLE_CELL, f"({row}, {column}) is a table cell")
    check(cell.parent.name == "Skiftschema", f"({row}, {column}) is in the table")


focus_lands_on(["shift+Tab"], 0, 0)  # from the team list, back round to the table
focus_lands_on(["Down"], 1, 0)
focus_lands_on(["Right", "Right"], 1, 2)
focus_lands_on(["Up"], 0, 2)
focus_lands_on(["End"], 181, 2)
focus_lands_on(["Left", "Home"], 0, 1)

# The date panel: its click as an action with its key, and the key from the keyboard.
panel = find(main, pyatspi.ROLE_PUSH_BUTTON, PANEL)
action = panel.queryAction()
check(action.nActions == 1 and action.getKeyBinding(0) == "Ctrl+Home", "the panel's action")
check(not panel.getState().contains(pyatspi.STATE_FOCUSABLE), "the panel takes no focus")
forward = find(main, pyatspi.ROLE_PUSH_BUTTON, "En månad framåt")


def first_row_is(day):
    return lambda: grid.getRowHeader(0).name == day


for back in (lambda: key("ctrl+Home"), lambda: action.doAction(0)):
    forward.queryAction().doAction(0)
    wait_for("November first", first_row_is("tisdag 1 november 2016, vecka 44"))
    back()
    wait_for("October first again", first_row_is(FIRST_OF_OCTOBER))

# The info window: a dialog whose text can be read.
find(main, pyatspi.ROLE_PUSH_BUTTON, "Om programmet").queryAction().doAction(0)
info = wait_for("the info window", lambda: find(app, pyatspi.ROLE_DIALOG, "Info"))
check_named(info, ["Information om programmet", "Stäng"])
box = find(info, pyatspi.ROLE_TEXT, "Information om programmet")
check(box.queryText().getText(0, -1).startswith("ShiftSchedule version "), "the info text")

# The worker's days, on team D alone: chosen from the team list by its letter.
find(info, pyatspi.ROLE_PUSH_BUTTON, "Stäng").queryAction().doAction(0)
wait_for("the info window closed", lambda: not info.getState().contains(pyatspi.STATE_SHOWING))
teams = next(c for c in controls(main) if c.getRole() == pyatspi.ROLE_COMBO_BOX
             and labelled_by(c) == "Skiftlag")
x, y, w, h = teams.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
subprocess.run(["xdotool", "mousemove", str(x + w // 2), str(y + h // 2), "click", "1"], check=True)
wait_for("the team list open", lambda: teams.getState().contains(pyatspi.STATE_EXPANDED)
         or teams.getState().contains(pyatspi.STATE_FOCUSED))
subprocess.run(["xdotool", "key", "d", "Return"], check=True)
wait_for("one column", lambda: grid.nColumns == 1)


def cell_text(row):
    return grid.getAccessibleAt(row, 0).queryText().getText(0, -1)


check(cell_text(2).endswith("\nSemester: Kreta med barnen"), f"3 October: {cell_text(2)!r}")
check(cell_text(7).endswith("\nExtra pass N 22-06: för Anna"), f"8 October: {cell_text(7)!r}")
check("Semester" not in cell_text(0) and "Extra" not in cell_text(0), f"1 October: {cell_text(0)!r}")

# A day added while the window is open.
subprocess.run([sys.argv[2], "days", "add", "sick", "2016-10-20", "--note", "feber"],
               check=True, stdout=subprocess.DEVNULL)
wait_for("20 October sick", lambda: cell_text(19).endswith("\nSjuk: feber"))

# The calendar: the marks are blue, beside the letters, on the worker's days only.
# Its Toggle action, as a screen reader's user chooses it.
find(main, pyatspi.ROLE_RADIO_BUTTON, "Kalender").queryAction().doAction(0)
wait_for("the calendar's 31 days", lambda: grid.nRows == 31 and grid.nColumns == 1)
shot = f"{sys.argv[3]}/my-days-calendar.png"
subprocess.run(["import", "-window", "root", shot], check=True)


def blue_pixels(row):
    x, y, w, h = grid.getAccessibleAt(row, 0).queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    out = subprocess.run(["convert", shot, "-crop", f"{w}x{h}+{x}+{y}", "+repage",
                          "-fill", "black", "+opaque", "rgb(0,0,255)", "-format",
                          "%[fx:int(mean*w*h/(1/3)+0.5)]", "info:"],
                         check=True, capture_output=True, text=True).stdout
    return int(float(out))


for row, marked in ((0, False), (2, True), (3, True), (7, True), (8, False), (19, True)):
    n = blue_pixels(row)
    check((n >= 8) == marked, f"{n} blue pixels in the calendar's cell of {row + 1} October")

sys.exit(1 if failures else 0)
