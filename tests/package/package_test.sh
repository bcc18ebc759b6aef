#!/usr/bin/env bash
# Builds the Debian package, checks what it holds and runs the installed programs from a
# scratch root. Arguments: the build folder, the project version.
set -euo pipefail
build=$1
version=$2
deb="$build/zerandi_${version}_amd64.deb"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

rm -f "$deb"
cmake --build "$build" --target package >"$scratch/package.log" 2>&1 ||
  { cat "$scratch/package.log"; fail "the package target failed"; }
[ -f "$deb" ] || fail "no $deb"

echo "== files"
dpkg-deb -c "$deb" | awk '{print $6}' | tee "$scratch/files"
expected=(
  ./usr/bin/zerandi ./usr/bin/zerandi-cli ./usr/bin/zerandi-sim
  ./usr/share/applications/zerandi.desktop
  ./usr/share/icons/hicolor/scalable/apps/zerandi.svg
  ./usr/share/man/man1/zerandi.1.gz ./usr/share/man/man1/zerandi-cli.1.gz
  ./usr/share/man/man1/zerandi-sim.1.gz
  ./usr/share/bash-completion/completions/zerandi-cli
  ./usr/share/doc/zerandi/cli-json.md
)
for size in 16 32 48 64 128 256; do
  expected+=("./usr/share/icons/hicolor/${size}x${size}/apps/zerandi.png")
done
for path in "${expected[@]}"; do
  grep -qxF "$path" "$scratch/files" || fail "the package lacks $path"
done

echo "== control"
dpkg-deb -f "$deb" Package Version Architecture Maintainer Depends
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version is not $version"
# Computed from the binaries: the Qt libraries the programs link show up.
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "Depends lacks the Qt libraries"
[ -n "$(dpkg-deb -f "$deb" Maintainer)" ] || fail "no maintainer"

root="$scratch/root"
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/zerandi.desktop" || fail "desktop entry"
for page in zerandi zerandi-cli zerandi-sim; do
  zcat "$root/usr/share/man/man1/$page.1.gz" | grep -q "^\.TH \"\?$page\"\? \"\?1\"\?.*$version" ||
    fail "man page $page(1) lacks its title or the version"
done
# bash-completion loads the file by the program's name; it must register a completion for it.
completion="$root/usr/share/bash-completion/completions/zerandi-cli"
bash -c 'source "$1" && complete -p zerandi-cli' _ "$completion" ||
  fail "the bash completion does not complete zerandi-cli"
[ "$(identify -format '%wx%h' "$root/usr/share/icons/hicolor/48x48/apps/zerandi.png")" = 48x48 ] ||
  fail "the 48x48 icon has another size"

echo "== installed programs"
export QT_QPA_PLATFORM=offscreen
[ "$("$root/usr/bin/zerandi" --version)" = "Zerandi $version" ] || fail "zerandi --version"
[ "$("$root/usr/bin/zerandi-cli" --version)" = "zerandi-cli $version" ] || fail "zerandi-cli --version"
[ "$("$root/usr/bin/zerandi-sim" --version)" = "zerandi-sim $version" ] || fail "zerandi-sim --version"
echo "zerandi, zerandi-cli and zerandi-sim $version run from the package"
