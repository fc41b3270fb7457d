# Reading test counts from logs, for the test scripts (sourced, not run).
# Each prints "passed failed"; a log that shows no test run counts as one
# failure, so that a phase that ran nothing cannot pass.

# ctest_counts LOG: from ctest's "N% tests passed, F tests failed out of T".
ctest_counts() {
  local total fails
  total=$(sed -n 's/.*tests passed, \([0-9]*\) tests\{0,1\} failed out of \([0-9]*\).*/\2/p' "$1" | tail -n1)
  fails=$(sed -n 's/.*tests passed, \([0-9]*\) tests\{0,1\} failed out of \([0-9]*\).*/\1/p' "$1" | tail -n1)
  if [ -z "$total" ] || [ "$total" -eq 0 ]; then echo "0 1"; else echo "$((total - fails)) $fails"; fi
}

# closing_counts LOG: from a last line "N passed, N failed".
closing_counts() {
  local counts
  counts=$(tail -n1 "$1" | sed -n 's/^\([0-9]*\) passed, \([0-9]*\) failed$/\1 \2/p')
  echo "${counts:-0 1}"
}
