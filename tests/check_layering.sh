#!/usr/bin/env bash
# Fails when a Qt-free layer includes a Qt header or names a window class.
set -u
root=$1
status=0
# views_qt (qpainter_surface, page_placement) is the one part of views/ that knows Qt.
qt_free=$(ls "$root"/core/*.{h,cpp} "$root"/views/*.{h,cpp} 2>/dev/null \
    | grep -v -e qpainter_surface -e page_placement)
if grep -nE '#include\s*<Q' $qt_free; then
    echo "a Qt header is included above" >&2
    status=1
fi
if grep -nE '\bTForm[0-9]' $qt_free; then
    echo "the views know a window class above" >&2
    status=1
fi
exit $status
