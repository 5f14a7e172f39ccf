#!/bin/bash
# End-to-end test of scripts/run as a user meets it: from a directory of
# their own, in a prefix of its own (TAMREL_WINEPREFIX), on the display the
# tests run on. run_probe.exe reads what the started program shows.
#   run_test.sh SOURCE_ROOT RUN_PROBE_EXE RESULTS_XML
# Writes one test case a check to RESULTS_XML; exits 1 when one fails.
set -u
root=$1 probe=$2 results=$3
work=$(mktemp -d "${TMPDIR:-/tmp}/tamrel-run-test.XXXXXX")
export TAMREL_WINEPREFIX="$work/prefix" WINEPREFIX="$work/prefix"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
run_pid=
cleanup() {
  [ -n "$run_pid" ] && kill "$run_pid" 2>/dev/null
  [ -d "$work/prefix" ] && wineserver -k 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

names=() failures=()
check() {  # NAME, then the failure message, empty when it passed
  names+=("$1") failures+=("$2")
  if [ -z "$2" ]; then echo "ok: $1"; else echo "FAIL: $1: $2"; fi
}
lower() { tr '[:upper:]' '[:lower:]' <<<"$1"; }

# Starts scripts/run in DIR in the background and waits until it has made
# the prefix and installed the programs (the first start builds them).
start_run() {  # DIR PROGRAM ARGS...
  local dir=$1 program=$2; shift 2
  (cd "$dir" && exec "$root/scripts/run" "$program" "$@") >"$work/run.out" 2>&1 &
  run_pid=$!
  for _ in $(seq 9000); do
    [ -f "$work/prefix/drive_c/tamrel/$program.exe" ] && return 0
    kill -0 "$run_pid" 2>/dev/null || break
    sleep 0.1
  done
  return 1
}
# Waits for the program that scripts/run started to end once the probe
# closed it; "" when it did.
end_run() {
  for _ in $(seq 300); do
    kill -0 "$run_pid" 2>/dev/null || { wait "$run_pid"; run_pid=; return 0; }
    sleep 0.1
  done
  echo "scripts/run did not end after its program was closed"
  return 1
}
# The probe's console output ends its lines with CR LF.
probe() { wine "$probe" "$@" 2>"$work/probe.err" | tr -d '\r'; }
probe_error() { grep run_probe "$work/probe.err" || tail -3 "$work/run.out"; }
winini="$work/prefix/drive_c/windows/winfile.ini"

# Without a display it says what it needs at once.
out=$(env -u DISPLAY "$root/scripts/run" quarn 2>&1); status=$?
if [ $status = 2 ] && grep -q "no X display" <<<"$out" && grep -q "x11vnc" <<<"$out"; then
  check no_display ""
else
  check no_display "status $status: $out"
fi
out=$("$root/scripts/run" nosuch 2>&1); status=$?
if [ $status = 2 ] && grep -q "no program nosuch" <<<"$out"; then check unknown_program ""
else check unknown_program "status $status: $out"; fi

# quarn FILE from the user's directory searches there, for files like FILE.
notes="$work/notes"
mkdir -p "$notes" && echo "buy milk" >"$notes/todo.txt"
if ! start_run "$notes" quarn todo.txt; then
  check quarn_in_the_callers_directory "scripts/run did not install quarn: $(tail -5 "$work/run.out")"
else
  fields=$(probe quarn)
  want="directory=$(lower "$(winepath -w "$notes")")"
  message=
  grep -qxF "$want" <<<"$(lower "$fields")" || message="wanted $want, quarn shows: $fields $(probe_error)"
  grep -qxF "filenames=*.txt" <<<"$fields" || message="$message; wanted filenames=*.txt, quarn shows: $fields"
  ended=$(end_run) || message="$message; $ended"
  check quarn_in_the_callers_directory "$message"
fi

# After setup's Uninstall the [Tamrel] section stays, empty: scripts/run
# still supplies LoadPath, in that section, and keeps the rest of the file.
# A file named by its Unix path from elsewhere opens in zodo.
mkdir -p "$work/logs" "$work/elsewhere" && printf 'line one\nline two\n' >"$work/logs/dpkg.log"
printf '[Tamrel]\r\n[Other]\r\nkey=1\r\n' >"$winini"
start_run "$work/elsewhere" zodo "$work/logs/dpkg.log"
caption=$(probe frame dpkg.log)
message=
# The pager names the file it shows, after the program's name.
[[ "$caption" == "caption="*" - dpkg.log" ]] || message="wanted zodo's window on dpkg.log, saw: $caption $(probe_error)"
ended=$(end_run) || message="$message; $ended"
check zodo_opens_a_unix_path "$message"
loadpath=$(probe profile winfile.ini Tamrel LoadPath) other=$(probe profile winfile.ini Other key)
sections=$(grep -ci '^\[tamrel\]' "$winini")
if [ "$loadpath" = 'LoadPath=c:\tamrel' ] && [ "$other" = key=1 ] && [ "$sections" = 1 ]; then
  check loadpath_after_uninstall ""
else
  check loadpath_after_uninstall "read $loadpath and $other from $sections [Tamrel] sections: $(tr '\r\n' '  ' <"$winini")"
fi

# A LoadPath that setup wrote stays as it is.
printf '[Tamrel]\r\nLoadpath=c:\\apps\r\n' >"$winini"
start_run "$work" quarn
fields=$(probe quarn)
message=
want="directory=$(lower "$(winepath -w "$work")")"
grep -qxF "$want" <<<"$(lower "$fields")" || message="wanted $want, quarn shows: $fields $(probe_error)"
ended=$(end_run) || message="$message; $ended"
loadpath=$(probe profile winfile.ini Tamrel LoadPath)
[ "$loadpath" = 'LoadPath=c:\apps' ] || message="$message; LoadPath became $loadpath: $(tr '\r\n' '  ' <"$winini")"
check setup_loadpath_kept "$message"

# scripts/add-printer gives the prefix a default printer that prints to
# the file it names: zodo /p prints there.
out=$(TAMREL_WINEPREFIX="$work/prefix" "$root/scripts/add-printer" "$work/printed.ps" 2>&1)
start_run "$work/elsewhere" zodo /p "$work/logs/dpkg.log"
pressed=$(probe print)
message=
ended=$(end_run) || message="$ended"
for _ in $(seq 100); do grep -q '%%EOF' "$work/printed.ps" 2>/dev/null && break; sleep 0.1; done
# The text of the job: strings that show, or glyphs by name, one by one.
printed=$(grep -ao '([^)]*) show\|/[A-Za-z]* glyphshow' "$work/printed.ps" 2>/dev/null |
  sed -e 's/^(\(.*\)) show$/\1/' -e 's/^\/space glyphshow$/ /' -e 's/^\/\([A-Za-z]\) glyphshow$/\1/' | tr -d '\n')
if ! grep -q "line two" <<<"$printed"; then
  message="$message; no line two in the job ($printed) after the Print dialog ($pressed; $out) $(probe_error)"
fi
check add_printer_prints_to_its_file "$message"

failed=0
{
  echo '<?xml version="1.0" encoding="UTF-8"?>'
  n=0; for f in "${failures[@]}"; do [ -n "$f" ] && n=$((n + 1)); done
  echo "<testsuites tests=\"${#names[@]}\" failures=\"$n\" disabled=\"0\" errors=\"0\" name=\"run_script\">"
  echo "<testsuite name=\"RunScript\" tests=\"${#names[@]}\" failures=\"$n\">"
  for i in "${!names[@]}"; do
    if [ -z "${failures[$i]}" ]; then
      echo "<testcase name=\"${names[$i]}\" status=\"run\"/>"
    else
      failed=1
      echo "<testcase name=\"${names[$i]}\" status=\"run\"><failure message=\"failed\"/></testcase>"
    fi
  done
  echo "</testsuite></testsuites>"
} >"$results"
exit $failed
