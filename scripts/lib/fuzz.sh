# libFuzzer runs of the parsers of files that can come from elsewhere. Sourced after setup.sh, not run.

# Seconds each target runs; a run is a smoke test of the build, not a campaign.
ombrix_fuzz_seconds=${OMBRIX_FUZZ_SECONDS:-30}

# Builds the fuzz preset and runs each of its targets (listed by CMake in the build tree's fuzzers.txt) for a
# bounded time. Each works on a copy of its starting corpus in the build tree, which keeps what the runs find
# between runs; the repository is never written. Returns non-zero if any target finds a crash.
ombrix_run_fuzzers() {
  local tree="$ombrix_build/fuzz" status=0 name program corpus dictionary work log runs
  ombrix_build_preset fuzz || return 1
  [ -f "$tree/fuzzers.txt" ] || { ombrix_log "no fuzz targets"; return 0; }
  while IFS=$'\t' read -r name program corpus dictionary; do
    [ -n "$name" ] || continue
    work="$tree/fuzzing/$name"
    mkdir -p "$work/corpus" "$work/findings"
    cp -n "$corpus"/* "$work/corpus/" 2>/dev/null
    log="$work/last-run.log"
    local options=(-max_total_time="$ombrix_fuzz_seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
                   -artifact_prefix="$work/findings/")
    [ -n "$dictionary" ] && options+=(-dict="$dictionary")
    if "$program" "${options[@]}" "$work/corpus" </dev/null >"$log" 2>&1; then
      runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
      ombrix_log "$name: ${runs:-?} inputs in ${ombrix_fuzz_seconds} s, no findings"
    else
      status=1
      tail -n 40 "$log" >&2
      ombrix_log "$name FAILED; the input that did it is in $work/findings/, the log in $log"
    fi
  done < "$tree/fuzzers.txt"
  return $status
}
