#!/bin/bash
# Builds quarn's search tests with the thread sanitizer (natively, clang, in
# build/tsan unless TSAN_BUILD_DIR says otherwise) and runs them: the search
# matches on worker threads, and the sanitizer reports any data they share
# without a lock. The rest of the native tree is built with the address
# sanitizer, which cannot be linked together with this one, hence a build of
# its own.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
out=${TSAN_BUILD_DIR:-$root/build/tsan}
gtest=/usr/src/googletest/googletest
mkdir -p "$out"
flags=(-std=c++17 -fsanitize=thread -O1 -g -fno-omit-frame-pointer)
includes=(-I"$root/quarn" -I"$root/shared" -I"$root/framework" -I"$root/tests/unit" -iquote "$root/regex"
          -I"$gtest/include" -I"$gtest")
sources=("$root"/quarn/{search,fastscan,scanfs}.cpp "$root"/regex/regex_{compile,match}.cpp
         "$root"/shared/{message,outtext,fileout,filelist,bytescan,sysio,viewfile,nextline}.cpp
         "$root/framework/afxstr.cpp" "$root/tests/unit/unit_support.cpp" "$root/tests/quarn/quarn_search_test.cpp"
         "$gtest/src/gtest-all.cc" "$gtest/src/gtest_main.cc")
objects=()
for source in "${sources[@]}"; do
  object=$out/$(basename "$source").o
  objects+=("$object")
  # Made again when its source or any header of the tree is newer.
  if [ ! -f "$object" ] || [ "$source" -nt "$object" ] ||
     [ -n "$(find "$root"/{quarn,regex,shared,framework,tests/unit} -name '*.h' -newer "$object" | head -1)" ]; then
    clang++ "${flags[@]}" "${includes[@]}" -c "$source" -o "$object" &
  fi
  while [ "$(jobs -rp | wc -l)" -ge 3 ]; do wait -n; done
done
wait
clang++ "${flags[@]}" "${objects[@]}" -o "$out/quarn_search_test_tsan" -lpthread
# The tests of what only Windows does are left out, as in the native tree.
TSAN_OPTIONS=halt_on_error=1 "$out/quarn_search_test_tsan" \
  --gtest_filter=-QuarnSearchTest.DescendingHeadersCarryTheLowerCasedPath:QuarnSearchTest.NothingFoundFailsOnlyWhenNotDescending
