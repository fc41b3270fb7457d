# Reading test counts from logs, for the test scripts (sourced, not run).
# Each prints "passed failed skipped"; a log that shows no test run counts
# as one failure, so that a phase that ran nothing cannot pass. A skipped
# test is neither: it is counted apart, with its reason shown.

# ctest_counts LOG: from ctest's "N% tests passed, F tests failed out of T"
# and its "(Skipped)" list.
ctest_counts() {
  local total fails skips
  total=$(sed -n 's/.*tests passed, \([0-9]*\) tests\{0,1\} failed out of \([0-9]*\).*/\2/p' "$1" | tail -n1)
  fails=$(sed -n 's/.*tests passed, \([0-9]*\) tests\{0,1\} failed out of \([0-9]*\).*/\1/p' "$1" | tail -n1)
  skips=$(grep -c '(Skipped)$' "$1")
  if [ -z "$total" ] || [ "$total" -eq 0 ]; then echo "0 1 0"; else echo "$((total - fails - skips)) $fails $skips"; fi
}

# ctest_skip_reasons LOG BUILD_DIR: a line per skipped test of the ctest run
# in LOG, with the reason the test gave (from ctest's full record of the run).
ctest_skip_reasons() {
  local record=$2/Testing/Temporary/LastTest.log name reason
  sed -n 's/^[[:space:]]*[0-9]* - \(.*\) (Skipped)$/\1/p' "$1" | while read -r name; do
    # gtest writes "FILE:LINE: Skipped", then the reason, in the test's output.
    # A parameterised test's name carries "  # GetParam() = ..." in ctest's list only.
    reason=$(awk -v run="[ RUN      ] ${name%%  #*}" '
      $0 == run { inside = 1; next }
      inside && found { print; exit }
      inside && /: Skipped$/ { found = 1 }' "$record" 2>/dev/null | tr -d '\r')
    echo "skipped: $name${reason:+: $reason}"
  done
}

# closing_counts LOG: from a last line "N passed, N failed[, N skipped]".
closing_counts() {
  local counts
  counts=$(tail -n1 "$1" | sed -n 's/^\([0-9]*\) passed, \([0-9]*\) failed\(, \([0-9]*\) skipped\)\{0,1\}$/\1 \2 \4/p')
  set -- ${counts:-0 1}
  echo "$1 $2 ${3:-0}"
}
