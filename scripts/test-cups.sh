#!/usr/bin/env bash
# Prints the report through a real print queue: starts a CUPS server of its own, with a
# cups-pdf queue, in a temporary folder, runs the print test against it and removes it all
# again. The test checks that the job arrives with as many pages as the preview shows and on
# the paper and orientation chosen in "Printer Properties".
#   scripts/test-cups.sh [BUILD_DIR]      (default build/test; tests_editors must be built)
# cupsd and the cups-pdf backend need root: elsewhere the test is skipped with a message.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/test}
tests="$build/tests/editors/tests_editors"

skip() {
  echo "test-cups: skipped: $*"
  exit 0
}

[ "$(id -u)" -eq 0 ] || skip "cupsd and the cups-pdf backend must run as root"
[ -x "$tests" ] || { echo "test-cups: $tests is not built" >&2; exit 2; }
if ! command -v cupsd >/dev/null || ! command -v lpadmin >/dev/null \
    || [ ! -x /usr/lib/cups/backend/cups-pdf ] || ! command -v pdfinfo >/dev/null; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get install -y -qq --no-install-recommends cups-daemon cups-client \
      printer-driver-cups-pdf poppler-utils >/dev/null 2>&1 \
    || skip "cups-daemon, cups-client, printer-driver-cups-pdf and poppler-utils cannot be installed"
fi

dir=$(mktemp -d /tmp/zol-cups.XXXXXX)
queue="zoltest$$"
# cups-pdf reads the settings of queue NAME from cups-pdf-NAME.conf beside its own.
pdfconf="/etc/cups/cups-pdf-$queue.conf"
cupsd_pid=""
cleanup() {
  [ -n "$cupsd_pid" ] && kill "$cupsd_pid" 2>/dev/null && wait "$cupsd_pid" 2>/dev/null
  rm -f "$pdfconf"
  # ZOL_CUPS_KEEP=1 leaves the jobs and the server's log to look at.
  if [ -n "${ZOL_CUPS_KEEP:-}" ]; then echo "test-cups: kept $dir"; else rm -rf "$dir"; fi
}
trap cleanup EXIT

mkdir -p "$dir"/{conf/ppd,spool/tmp,cache,state,log,out}
# The filters run as lp: they read the spool and write their temporary files.
chmod 0755 "$dir" "$dir"/*
chmod 1777 "$dir/spool/tmp" "$dir/out"
cat >"$dir/conf/cupsd.conf" <<EOF
Listen $dir/cups.sock
LogLevel warn
WebInterface No
Browsing No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
cat >"$dir/conf/cups-files.conf" <<EOF
ServerRoot $dir/conf
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
ServerBin /usr/lib/cups
DataDir /usr/share/cups
User lp
Group lp
SystemGroup root
Printcap /dev/null
EOF
cat >"$pdfconf" <<EOF
Out $dir/out
AnonDirName $dir/out
Label 0
Grp root
EOF

cupsd -f -c "$dir/conf/cupsd.conf" -s "$dir/conf/cups-files.conf" &
cupsd_pid=$!
export CUPS_SERVER="$dir/cups.sock"
running() { [ -S "$dir/cups.sock" ] && lpstat -r 2>/dev/null | grep -q "is running"; }
for _ in $(seq 100); do
  running && break
  sleep 0.2
done
running || { cat "$dir/log/error_log" 2>/dev/null; skip "cupsd did not start"; }

ppd=$(ls /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null || true)
[ -n "$ppd" ] || skip "the cups-pdf PPD is not installed"
lpadmin -p "$queue" -E -v "cups-pdf:/$queue" -P "$ppd"
lpadmin -d "$queue"

status=0
ZOL_CUPS_QUEUE="$queue" ZOL_CUPS_OUT="$dir/out" QT_QPA_PLATFORM=offscreen \
  "$tests" --gtest_filter='CupsPrint.*' || status=$?
if [ "$status" -ne 0 ]; then
  echo "test-cups: the print test failed; the server's log:" >&2
  cat "$dir/log/error_log" >&2 2>/dev/null || true
fi
exit "$status"
