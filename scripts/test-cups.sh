#!/usr/bin/env bash
# Prints the report through a real print queue: starts a CUPS server of its own, with a
# cups-pdf queue, in a temporary folder, runs the print test against it and removes it all
# again. The test checks that the job arrives with as many pages as the preview shows and on
# the paper and orientation chosen in "Printer Properties", and that `zolctl report
# --printer` sends one job with the PDF's pages. Then, with the queue as the machine's
# default, the print tests run as the suite runs them and must print nothing.
#   scripts/test-cups.sh [BUILD_DIR]      (default build/test; tests_editors and tests_print
#                                          must be built)
# cupsd and the cups-pdf backend need root: elsewhere the test is skipped with a message.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/test}
tests="$build/tests/editors/tests_editors"
print_tests="$build/tests/print/tests_print"

skip() {
  echo "test-cups: skipped: $*"
  exit 0
}

[ "$(id -u)" -eq 0 ] || skip "cupsd and the cups-pdf backend must run as root"
for t in "$tests" "$print_tests"; do
  [ -x "$t" ] || { echo "test-cups: $t is not built" >&2; exit 2; }
done
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
ZOL_CUPS_QUEUE="$queue" ZOL_CUPS_OUT="$dir/out" QT_QPA_PLATFORM=offscreen \
  "$print_tests" --gtest_filter='ReportCommandTest.PrinterSends*' || status=$?

# The suite's print tests on a machine whose default queue is real: they pass and the queue
# receives nothing.
jobs_before=$(ls "$dir/out" | wc -l)
QT_QPA_PLATFORM=offscreen "$tests" --gtest_filter='PrintDialogTest.*:PreviewForm*' || status=$?
QT_QPA_PLATFORM=offscreen "$print_tests" || status=$?
if [ -x "$build/tests/app/tests_app" ]; then
  QT_QPA_PLATFORM=offscreen "$build/tests/app/tests_app" --gtest_filter='TCommandsTest.*:TMainFormTest.TheReport*' || status=$?
fi
sleep 2
jobs_after=$(ls "$dir/out" | wc -l)
if [ "$(lpstat -o 2>/dev/null | wc -l)" -ne 0 ] || [ "$jobs_after" -ne "$jobs_before" ]; then
  echo "test-cups: the tests sent jobs to the default queue" >&2
  lpstat -o >&2 || true
  status=1
fi
if [ "$status" -ne 0 ]; then
  echo "test-cups: the print test failed; the server's log:" >&2
  cat "$dir/log/error_log" >&2 2>/dev/null || true
fi
exit "$status"
