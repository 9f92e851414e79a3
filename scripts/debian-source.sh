#!/usr/bin/env bash
# Fetches and unpacks the Debian source of PACKAGE=VERSION into DEST, through an apt
# configuration of our own in WORK/apt: the system's apt configuration is left as it is.
#
# The source list is made from the system's own: every `Types: deb` entry of
# /etc/apt/sources.list.d/*.sources (and every `deb` line of the one-line lists) becomes a
# deb-src entry with the same mirrors, suites, components and keys. So the sources come from
# wherever this machine already gets its packages, and no package host is named here.
# Usage: scripts/debian-source.sh PACKAGE VERSION WORK DEST
set -euo pipefail
package="$1" version="$2" work="$3" dest="$4"

apt_dir="$work/apt"
rm -rf "$apt_dir"
mkdir -p "$apt_dir/lists/partial" "$apt_dir/parts"
: >"$apt_dir/sources.list"

for file in /etc/apt/sources.list.d/*.sources; do
  [ -e "$file" ] || continue
  # One stanza per paragraph; a stanza whose types include deb is kept with deb-src alone.
  awk 'BEGIN { RS = "" }
       {
         lines = split($0, line, "\n"); out = ""; binary = 0
         for (i = 1; i <= lines; i++) {
           if (line[i] ~ /^Types:/) {
             types = line[i]; sub(/^Types:/, "", types)
             count = split(types, type, /[ \t]+/)
             for (t = 1; t <= count; t++) if (type[t] == "deb") binary = 1
             line[i] = "Types: deb-src"
           }
           out = out line[i] "\n"
         }
         if (binary) printf "%s\n", out
       }' "$file" >"$apt_dir/parts/$(basename "$file")"
done
for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
  [ -e "$file" ] || continue
  sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' "$file" >>"$apt_dir/sources.list"
done
if ! grep -qs -e '^Types: deb-src' -e '^deb-src ' "$apt_dir/sources.list" "$apt_dir"/parts/*; then
  echo "The system's apt configuration names no Debian package source to fetch $package from." >&2
  exit 1
fi

apt=(apt-get -q -o "Dir::Etc::SourceList=$apt_dir/sources.list" -o "Dir::Etc::SourceParts=$apt_dir/parts"
  -o "Dir::State::Lists=$apt_dir/lists")
"${apt[@]}" update >/dev/null
(cd "$work" && "${apt[@]}" source --download-only "$package=$version" >/dev/null)
rm -rf "$dest"
dpkg-source -x "$work/${package}_${version#*:}.dsc" "$dest" >/dev/null
