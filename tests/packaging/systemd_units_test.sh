#!/usr/bin/env bash
# The systemd user units of `shiftcal publish` as `cmake --install` places them: where a user's
# service manager finds them, naming the installed shiftcal (for the package's prefix too),
# enabled by nothing, accepted by `systemd-analyze verify` without a word (the manual page they
# point to included), sandboxed well enough that `systemd-analyze security` scores it below 5.0,
# with a timer that fires at 00:01 on the plant's clock whatever zone the computer is set to,
# and the service's command line, with the example environment file's options, publishes a
# folder.
#   $1  the build directory (configured and built)
set -euo pipefail

build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
units="$prefix/lib/systemd/user"
service="$units/shiftcal-publish.service"
timer="$units/shiftcal-publish.timer"
example="$prefix/share/doc/shiftschedule/examples/publish.env"
for file in "$service" "$timer" "$example"; do
    [ -f "$file" ] || fail "make install did not place ${file#"$prefix"/}"
done
exec_start=$(grep '^ExecStart=' "$service")
[ "$exec_start" = "ExecStart=$prefix/bin/shiftcal publish \$SHIFTCAL_PUBLISH_OPTIONS \${SHIFTCAL_PUBLISH_DIR}" ] \
    || fail "the service runs: $exec_start"
if find "$prefix" -name '*.wants' -o -name '*.requires' | grep -q .; then
    fail "installing enabled a unit"
fi

# The package installs under /usr, through the same install rules.
DESTDIR="$work/staging" cmake --install "$build" --prefix /usr >/dev/null
grep -qx 'ExecStart=/usr/bin/shiftcal publish $SHIFTCAL_PUBLISH_OPTIONS ${SHIFTCAL_PUBLISH_DIR}' \
    "$work/staging/usr/lib/systemd/user/shiftcal-publish.service" \
    || fail "the packaged service does not run /usr/bin/shiftcal"

# A user's service manager needs a runtime folder of its own; the manual page is the installed one.
mkdir -m 700 "$work/runtime"
report=$(XDG_RUNTIME_DIR="$work/runtime" MANPATH="$prefix/share/man" \
         systemd-analyze --user verify "$service" "$timer" 2>&1) \
    || fail "systemd-analyze verify: $report"
[ -z "$report" ] || fail "systemd-analyze verify had something to say: $report"

# The sandbox, scored as systemd scores it (0 safe .. 10 unsafe; without it 9.4).
score=$(systemd-analyze security --offline=true "$service" 2>&1 \
        | sed -n 's/^.*Overall exposure level for [^:]*: \([0-9.]*\).*$/\1/p')
[ -n "$score" ] || fail "systemd-analyze security gave no score"
awk -v s="$score" 'BEGIN { exit !(s < 5.0) }' || fail "the service's exposure is $score, not below 5.0"

# 00:01 in Stockholm is 23:01 UTC in winter and 22:01 UTC in summer, on a computer set to any
# zone; the night of 28 to 29 March 2026 the clocks go forward.
on_calendar=$(sed -n 's/^OnCalendar=//p' "$timer")
for zone in UTC Asia/Tokyo America/New_York Europe/Stockholm; do
    elapses=$(TZ=$zone systemd-analyze calendar --iterations=2 --base-time='2026-03-28 12:00 UTC' \
              "$on_calendar" 2>&1)
    for utc in 'Sat 2026-03-28 23:01:00 UTC' 'Sun 2026-03-29 22:01:00 UTC'; do
        grep -q "$utc" <<<"$elapses" || fail "under TZ=$zone the timer fires: $elapses"
    done
done

# The service's command as systemd runs it: the environment file's variables, $VAR split at
# blanks and ${VAR} kept whole; the folder moved into this test's own.
mkdir "$work/srv"
sed "s|^SHIFTCAL_PUBLISH_DIR=.*|SHIFTCAL_PUBLISH_DIR=$work/srv/site|" "$example" > "$work/publish.env"
command=${exec_start#ExecStart=}
command=${command//'${SHIFTCAL_PUBLISH_DIR}'/'"$SHIFTCAL_PUBLISH_DIR"'}
(
    set -a -f
    # shellcheck disable=SC1091
    . "$work/publish.env"
    eval "set -- $command"
    SHIFTCAL_NOW="2016-10-15 12:00" "$@"
) || fail "the service's command failed"
[ "$(find "$work/srv/site" -type f | wc -l)" -eq 12 ] || fail "the service published: $(ls "$work/srv/site")"
grep -q '^TRIGGER:-PT12H' "$work/srv/site/norda-C.ics" || fail "the example's --remind 12h is missing"

echo "systemd units: ok"
