#!/usr/bin/env bash
# Builds the Debian package from the release build (build-release, tools
# only), checks its file list against what it must hold, unpacks it into an
# empty root, follows every relative link of the installed documents there
# and runs both unpacked programs on a bundled example.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DCJK_BUILD_TESTS=OFF >/dev/null
cmake --build build-release -j"$(nproc 2>/dev/null || echo 2)" >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0

rm -f build-release/*.deb
if ! (cd build-release && cpack -G DEB) >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log"
  echo "check-package: cpack failed"
  exit 1
fi
package=$(ls build-release/*.deb)

# Every file the package must hold, and nothing else.
{
  echo ./usr/bin/Mabrel
  echo ./usr/bin/Tosker
  echo ./usr/share/man/man1/Mabrel.1.gz
  echo ./usr/share/man/man1/Tosker.1.gz
  echo ./usr/share/doc/cjk-input-tools/README.md
  echo ./usr/share/doc/cjk-input-tools/copyright
  echo ./usr/share/doc/cjk-input-tools/changelog.gz
  echo ./usr/share/lintian/overrides/cjk-input-tools
  for doc in docs/*.md; do echo "./usr/share/doc/cjk-input-tools/$doc"; done
  for example in examples/*.txt examples/*.bmp examples/*.checks examples/README.md; do
    echo "./usr/share/doc/cjk-input-tools/$example"
  done
  grep -ohE 'scripts/[A-Za-z0-9_.-]*[A-Za-z0-9_]' README.md docs/*.md examples/README.md |
    sort -u | while read -r script; do
      if [ -f "$script" ]; then echo "./usr/share/doc/cjk-input-tools/$script"; fi
    done
} | sort >"$work/expected"
dpkg-deb -c "$package" | awk '$1 !~ /^d/ { print $6 }' | sort >"$work/listed"
if ! diff -u "$work/expected" "$work/listed"; then
  echo "check-package: $package does not hold the expected files (- missing, + extra)"
  failed=1
fi

root="$work/root"
dpkg -x "$package" "$root"

# Every relative link of the installed documents leads to a file of the
# package, and so does every script and bundled checks file they name.
if ! python3 - "$root/usr/share/doc/cjk-input-tools" <<'LINKS'; then
import re, sys
from pathlib import Path
doc = Path(sys.argv[1])
bundled = {path.name for path in Path("examples").glob("*.checks")}
broken = []
for page in sorted(doc.rglob("*.md")):
    text = page.read_text(encoding="utf-8")
    for link in re.findall(r"\]\(([^)\s]+)\)", text):
        target = link.split("#")[0]
        if target and not re.match(r"[a-z]+:", target) and not (page.parent / target).is_file():
            broken.append(f"{page.relative_to(doc)}: link {link}")
    named = set(re.findall(r"scripts/[\w.-]*\w", text))
    named |= {f"examples/{name}" for name in re.findall(r"[\w-]+\.checks", text) if name in bundled}
    broken += [f"{page.relative_to(doc)}: names {name}, which the package lacks"
               for name in sorted(named) if not (doc / name).is_file()]
for line in broken:
    print(f"check-package: {line}")
sys.exit(1 if broken else 0)
LINKS
  failed=1
fi
cp examples/* "$work"/
for program in Mabrel Tosker; do
  if ! "$root/usr/bin/$program" --version | grep -q "Version 2.0"; then
    echo "check-package: the unpacked $program does not run"
    failed=1
  fi
done
if ! (cd "$work" && "$root/usr/bin/Mabrel" pinyin.txt pinyin.pdb >/dev/null &&
      "$root/usr/bin/Tosker" phrase-chinesegb.txt phrase.pdb >/dev/null &&
      "$root/usr/bin/Tosker" phrase.pdb phrase-back.txt >/dev/null); then
  echo "check-package: the unpacked programs fail on the bundled examples"
  failed=1
fi

# Debian's own check of the package: no error. The warnings left are listed,
# with their reasons, in docs/packaging.md.
if command -v lintian >/dev/null; then
  if ! lintian --fail-on error "$package" >"$work/lintian.log" 2>&1; then
    cat "$work/lintian.log"
    echo "check-package: lintian reports errors"
    failed=1
  else
    cat "$work/lintian.log"
  fi
else
  echo "check-package: lintian is not installed"
  failed=1
fi

if [ "$failed" -ne 0 ]; then
  echo "check-package: FAILED"
  exit 1
fi
echo "check-package: $(basename "$package") holds $(wc -l <"$work/listed") files; unpacked, both programs compile the examples"
