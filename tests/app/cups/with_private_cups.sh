#!/usr/bin/env bash
# Runs a command against a private CUPS scheduler with one PDF queue, leaving the machine's own
# scheduler, printers and settings alone.
#
#   with_private_cups.sh ARTIFACT_DIR -- COMMAND [ARG...]
#
# The scheduler lives in a fresh temporary folder: its own cupsd.conf and cups-files.conf, its
# spool, cache, state and logs, and a Unix socket as its only listener (no network port). It
# holds the cups-pdf queue named in SHIFT_CUPS_QUEUE, which is NOT the default: the command
# makes it the default itself (lpadmin -d) when it wants one, so that it can first see the
# scheduler without a default printer.
#
# COMMAND sees:
#   CUPS_SERVER          the scheduler's socket (libcups, lp*, lpadmin and Qt all honour it)
#   SHIFT_CUPS_QUEUE     the PDF queue's name
#   SHIFT_CUPS_QUEUE_PPD, SHIFT_CUPS_QUEUE_DEVICE  what the queue was made with, so that the
#                        command can make it again after taking it away
#   SHIFT_CUPS_SPOOL     the scheduler's spool, which keeps every job's document as the printing
#                        program sent it (d<JOB>-001), before the queue's filters change it
#   SHIFT_PDF_OUT_DIR    where cups-pdf writes the PDFs of this user's jobs, as the machine's
#                        cups-pdf.conf says (Debian's: the user's ~/PDF); the command moves
#                        the files it checks out of there
#   SHIFT_PRINT_ARTIFACTS  ARTIFACT_DIR, for the PDFs and pictures the command keeps
# The scheduler's logs are copied to ARTIFACT_DIR/cups-logs at the end.
#
# Needs root: cupsd runs its jobs as the user lp, and the cups-pdf backend only runs as root.
# Exits 77 (skipped) without it. Missing packages are installed through
# scripts/install-deps.sh. The exit status is COMMAND's.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../../.." && pwd)

[ $# -ge 3 ] && [ "$2" = "--" ] || { echo "usage: $0 ARTIFACT_DIR -- COMMAND [ARG...]" >&2; exit 2; }
artifacts=$1
shift 2

if [ "$(id -u)" -ne 0 ]; then
    echo "with_private_cups: needs root (cupsd as user lp, the cups-pdf backend); skipped" >&2
    exit 77
fi

ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
if ! command -v cupsd >/dev/null || ! command -v lpadmin >/dev/null \
    || ! command -v pdftoppm >/dev/null || [ ! -x /usr/lib/cups/backend/cups-pdf ] \
    || [ ! -f "$ppd" ]; then
    "$repo/scripts/install-deps.sh" >&2
fi

mkdir -p "$artifacts"
artifacts=$(cd "$artifacts" && pwd)

# A short path: a socket's path must stay below 108 bytes.
dir=$(mktemp -d /tmp/shiftcups.XXXXXX)
chmod 755 "$dir"
cupsd_pid=""
# cups-pdf writes where the Out setting of the machine's cups-pdf.conf says, for the job's
# owner: this user. The backend reads no other configuration.
user=$(id -un)
home=$(getent passwd "$user" | cut -d: -f6)
out_setting=$(sed -n 's/^[[:space:]]*Out[[:space:]]\+//p' /etc/cups/cups-pdf.conf 2>/dev/null | tail -n 1)
[ -n "$out_setting" ] || out_setting='/var/spool/cups-pdf/${USER}' # the backend's default
pdf_out=${out_setting//\$\{HOME\}/$home}
pdf_out=${pdf_out//\$\{USER\}/$user}
pdf_out_existed=0
[ -d "$pdf_out" ] && pdf_out_existed=1

cleanup() {
    if [ -n "$cupsd_pid" ]; then
        kill "$cupsd_pid" 2>/dev/null || true
        for _ in $(seq 50); do
            kill -0 "$cupsd_pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -9 "$cupsd_pid" 2>/dev/null || true
        wait "$cupsd_pid" 2>/dev/null || true
    fi
    mkdir -p "$artifacts/cups-logs"
    cp "$dir"/log/* "$artifacts/cups-logs/" 2>/dev/null || true
    # PDFs of this run that the command left behind (it failed before it took them) go to the
    # artifacts too, out of the user's folder.
    if [ -d "$pdf_out" ] && [ -e "$dir/started" ]; then
        mkdir -p "$artifacts/unchecked"
        find "$pdf_out" -maxdepth 1 -name '*.pdf' -newer "$dir/started" \
            -exec mv -t "$artifacts/unchecked" {} + 2>/dev/null || true
        rmdir "$artifacts/unchecked" 2>/dev/null || true
    fi
    rm -rf "$dir"
    # cups-pdf made the output folder for our jobs; leave no empty one behind.
    [ "$pdf_out_existed" -eq 1 ] || rmdir "$pdf_out" 2>/dev/null || true
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP PIPE

touch "$dir/started"
mkdir -p "$dir/spool/tmp" "$dir/cache" "$dir/state" "$dir/log" "$dir/ppd"
chown -R lp:lp "$dir/spool" "$dir/cache" "$dir/state" "$dir/log"

cat >"$dir/cupsd.conf" <<EOF
Listen $dir/cups.sock
Browsing No
WebInterface No
LogLevel info
DefaultAuthType None
MaxJobs 0
PreserveJobHistory Yes
PreserveJobFiles Yes
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order allow,deny
    Allow all
  </Limit>
</Policy>
EOF

cat >"$dir/cups-files.conf" <<EOF
User lp
Group lp
SystemGroup root
ServerRoot $dir
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
Printcap $dir/printcap
EOF

cupsd -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" >"$dir/log/cupsd.out" 2>&1 &
cupsd_pid=$!
# Should this script be killed outright (a test's time running out), the scheduler and its
# folder go with it all the same.
script_pid=$$
(
    while kill -0 "$script_pid" 2>/dev/null; do sleep 1; done
    [ -d "$dir" ] || exit 0 # cleaned up as usual
    kill "$cupsd_pid" 2>/dev/null && sleep 1
    rm -rf "$dir"
    [ "$pdf_out_existed" -eq 1 ] || rmdir "$pdf_out"
) >/dev/null 2>&1 &

export CUPS_SERVER="$dir/cups.sock"
# The command's printers are this scheduler's only: no printer named by the environment.
unset LPDEST PRINTER

for _ in $(seq 100); do
    lpstat -r 2>/dev/null | grep -q 'is running' && break
    kill -0 "$cupsd_pid" 2>/dev/null || break
    sleep 0.1
done
if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
    echo "with_private_cups: the scheduler did not start" >&2
    cat "$dir/log/error_log" >&2 2>/dev/null || true
    exit 1
fi

queue=shiftpdf
device=cups-pdf:/
# lpadmin warns that PPD drivers are deprecated; the queue works all the same.
if ! lpadmin -p "$queue" -v "$device" -P "$ppd" -E 2>"$dir/lpadmin.err"; then
    echo "with_private_cups: the PDF queue could not be made:" >&2
    cat "$dir/lpadmin.err" >&2
    exit 1
fi

export SHIFT_CUPS_QUEUE=$queue
export SHIFT_CUPS_QUEUE_PPD=$ppd
export SHIFT_CUPS_QUEUE_DEVICE=$device
export SHIFT_CUPS_SPOOL=$dir/spool
export SHIFT_PDF_OUT_DIR=$pdf_out
export SHIFT_PRINT_ARTIFACTS=$artifacts

set +e
"$@"
status=$?
set -e
exit "$status"
