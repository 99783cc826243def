#!/usr/bin/env bash
# Mutation check of the test suite: applies each single-line fault of scripts/mutants.list to the
# sources one at a time, rebuilds what depends on the file, runs the tests that exercise it and
# counts the faults the suite kills. A fault the suite lets through is a missing test, unless the
# list names it as equivalent (it cannot change what the program does).
# Usage: scripts/mutants.sh [ID...]   (no ID: every fault of the list)
# The faults go into a copy of the working tree (uncommitted changes included) in build/mutants/src,
# built in build/mutants/src/build/mutants, so editing or committing while it runs is safe. Only
# files whose content changed are copied again: the next run's build stays incremental.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
src=build/mutants/src
mkdir -p "$src"
files=$(mktemp)
git -c core.quotepath=off ls-files --cached --others --exclude-standard | while IFS= read -r f; do if [ -f "$f" ]; then echo "$f"; fi; done | sort >"$files"
while IFS= read -r f; do
  cmp -s "$f" "$src/$f" 2>/dev/null || { mkdir -p "$src/$(dirname "$f")"; cp "$f" "$src/$f"; }
done <"$files"
# Files gone from the tree go from the copy too: some targets glob their sources.
(cd "$src" && find . -path ./build -prune -o -type f -print | sed 's|^\./||' | sort) | comm -23 - "$files" |
  while IFS= read -r f; do rm -f "$src/$f"; done
rm -f "$files"
cd "$src"
list=$root/scripts/mutants.list
dir=build/mutants # the same place relative to the sources as a build of the tree itself: ccache hits
jobs=$(nproc 2>/dev/null || echo 2)
log=$dir/mutants.log
mkdir -p "$dir"

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVIZ_WERROR=ON "${launcher[@]}" >/dev/null
echo "== building the unmutated tree in $dir"
cmake --build "$dir" -j"$jobs" >/dev/null

backup=""
target_file=""
restore() {
  if [ -n "$backup" ]; then
    cp "$backup" "$target_file" # a fresh mtime, so the next build compiles the original again
    rm -f "$backup"
    backup=""
  fi
}
trap restore EXIT

# Replaces the one occurrence of a literal text; fails unless it occurs exactly once.
mutate() { # file original replacement
  ORIG="$2" REPL="$3" perl -0777 -i -pe '
    my ($o, $r) = ($ENV{ORIG}, $ENV{REPL});
    my $n = () = /\Q$o\E/g;
    die "found $n times\n" unless $n == 1;
    s/\Q$o\E/$r/;' "$1"
}

wanted=" $* "
total=0 killed=0 survived=0 equivalent=0 stale=0
survivors=()
: >"$log"
while IFS= read -r line; do
  case "$line" in ''|'#'*) continue ;; esac
  IFS=$'\x1f' read -r id file tests original replacement note <<<"${line// @@ /$'\x1f'}"
  [ "$wanted" = "  " ] || [[ "$wanted" == *" $id "* ]] || continue
  total=$((total + 1))
  target_file=$file
  backup=$(mktemp)
  cp "$file" "$backup"
  if ! mutate "$file" "$original" "$replacement" 2>>"$log"; then
    echo "$id stale: the text is not once in $file"
    stale=$((stale + 1))
    restore
    continue
  fi
  if [ -n "$note" ]; then
    verdict="equivalent ($note)"
    equivalent=$((equivalent + 1))
  elif ! cmake --build "$dir" -j"$jobs" >>"$log" 2>&1; then
    verdict="killed by the compiler"
    killed=$((killed + 1))
  elif ! ctest --test-dir "$dir" -R "$tests" -E '^postgres\.' -j"$jobs" --timeout 300 >>"$log" 2>&1; then
    verdict="killed"
    killed=$((killed + 1))
  else
    verdict="SURVIVED"
    survived=$((survived + 1))
    survivors+=("$id")
  fi
  echo "$id $verdict: $file"
  restore
done <"$list"

echo "== restoring the build"
cmake --build "$dir" -j"$jobs" >/dev/null
echo "== $killed of $((total - equivalent - stale)) faults killed; $survived survived${survivors:+ (${survivors[*]})}; $equivalent equivalent; $stale stale"
[ "$stale" -eq 0 ]
