#pragma once

#include "cli/output_buffer.h"
#include "core/civil_date.h"

namespace shift {

// The day table from `from` to `to` (both included, from <= to) under `scheme`, one record per
// day with the columns
//   date,weekday,week,holiday,name,colour,A,B,C,D,E
// date ISO "YYYY-MM-DD"; weekday ISO 1 (Monday) .. 7; week as the program shows it for the
// date's week; holiday 0..19 and its UTF-8 name ("" when 0); colour "gray", "red" or "black";
// each team's letter as the multi-month view draws it ("F", "E", "N", "*", or "" for nothing).
//
// CSV: a header line, then one line per day ending in "\n". Example row under scheme 1:
//   2016-06-24,5,25,13,Mids. afton,black,*,*,*,*,*
void writeCsvTable(int scheme, const CivilDate &from, const CivilDate &to, OutputBuffer &out);

// JSON: one array of objects with the same keys, numbers as numbers, one object per line.
// Example element: {"date":"2001-01-01","weekday":1,"week":1,"holiday":0,"name":"",
//   "colour":"gray","A":"N","B":"","C":"F","D":"E","E":""}
void writeJsonTable(int scheme, const CivilDate &from, const CivilDate &to, OutputBuffer &out);

} // namespace shift
