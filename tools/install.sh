#!/usr/bin/env bash
# Installs the built game for the desktop, or removes such an installation:
#   BUILD=DIR PREFIX=DIR [DESTDIR=DIR] [LAYOUT=plain|games] install.sh install|uninstall
# Installed under PREFIX (staged below DESTDIR when that is set):
#   lib/tilemarch/tilemarch, lib/tilemarch/data/...  the game, data beside it
#   bin/tilemarch                                     the launcher command
# LAYOUT=games, Debian's layout for games, puts the command in games/ and the
# data in share/games/tilemarch/, which lib/tilemarch/data then links to.
#   share/applications/tilemarch.desktop              the menu entry
#   share/icons/hicolor/NxN/apps/tilemarch.png        the icon
#   share/man/man6/tilemarch.6.gz                     the manual page
#   share/metainfo/ID.metainfo.xml                    what software centres show
# Every file written and every directory created is listed, as it happens, in
# lib/tilemarch/install-manifest; uninstalling removes exactly those (a failed
# install included) and keeps anything else the directories hold.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
action=${1:-}
build=${BUILD:-build}
destdir=${DESTDIR:-}
prefix=${PREFIX:-}
layout=${LAYOUT:-plain}

fail() {
  echo "tilemarch $action: $*" >&2
  exit 1
}

[ "$action" = install ] || [ "$action" = uninstall ] || fail "usage: BUILD=DIR PREFIX=DIR [DESTDIR=DIR] [LAYOUT=plain|games] install.sh install|uninstall"
case "$layout" in
plain) bindir=bin datadir=lib/tilemarch/data ;;
games) bindir=games datadir=share/games/tilemarch ;;
*) fail "LAYOUT is plain or games" ;;
esac
[ -n "$prefix" ] || fail "PREFIX is empty"
case "$prefix$destdir" in
*$'\n'*) fail "PREFIX and DESTDIR must not contain line breaks" ;;
esac
case "$prefix" in
/*) ;;
*) prefix="$PWD/$prefix" ;;
esac
root="$destdir$prefix"
manifest_rel=lib/tilemarch/install-manifest
manifest="$root/$manifest_rel"

# Makes the directory root/REL and each missing parent below root, recording
# the ones it creates.
make_dir() {
  local rel=$1 path=$root part
  if [ ! -d "$root" ]; then
    mkdir -p "$root"
    created+=(".")
  fi
  local IFS=/
  for part in $rel; do
    path="$path/$part"
    if [ ! -d "$path" ]; then
      mkdir "$path"
      created+=("${path#"$root"/}")
    fi
  done
}

flush_dirs() {
  local d
  for d in "${created[@]}"; do echo "d $d" >>"$manifest"; done
  created=()
}

# Makes room for the file root/REL and records it before it is written.
place() {
  make_dir "${1%/*}"
  flush_dirs
  echo "f $1" >>"$manifest"
}

# Copies a file to root/REL with the given mode.
put() {
  place "$2"
  install -m "$3" "$1" "$root/$2"
}

# Copies the files of a directory (not its subdirectories) into root/REL in
# one go, each recorded first.
put_files_of() {
  local source=$1 rel=$2 mode=$3 file files=()
  make_dir "$rel"
  flush_dirs
  for file in "$source"/* "$source"/.*; do
    [ -f "$file" ] || continue
    echo "f $rel/${file##*/}" >>"$manifest"
    files+=("$file")
  done
  [ ${#files[@]} -eq 0 ] || install -m "$mode" -t "$root/$rel" -- "${files[@]}"
}

# Desktop entry quoting: the path as one quoted argument, then escaped again
# as a string value.
exec_value() {
  local arg=$1
  arg=${arg//\\/\\\\}
  arg=${arg//\"/\\\"}
  arg=${arg//\`/\\\`}
  arg=${arg//\$/\\\$}
  arg=${arg//%/%%}
  arg="\"$arg\""
  printf '%s' "${arg//\\/\\\\}"
}

do_install() {
  [ -x "$build/tilemarch" ] || fail "no game in $build (run make first)"
  [ -d "$build/data" ] || fail "no game data in $build/data (run make first)"
  [ -d "$build/icons/hicolor" ] || fail "no icons in $build/icons (run make first)"
  [ -f "$build/package/tilemarch.6" ] || fail "no manual page in $build/package (run make first)"
  # A previous installation here goes first, so nothing stale stays behind.
  [ -f "$manifest" ] && do_uninstall
  created=()
  make_dir lib/tilemarch
  : >"$manifest"
  echo "f $manifest_rel" >>"$manifest"
  flush_dirs

  put "$build/tilemarch" lib/tilemarch/tilemarch 755
  local dir file rel
  while IFS= read -r -d '' dir; do
    put_files_of "$dir" "$datadir${dir#"$build/data"}" 644
  done < <(find "$build/data" -type d -print0 | sort -z)
  # The game looks for its data beside its real executable.
  if [ "$datadir" != lib/tilemarch/data ]; then
    place lib/tilemarch/data
    ln -s "../../$datadir" "$root/lib/tilemarch/data"
  fi
  put "$here/tilemarch-launcher.sh" "$bindir/tilemarch" 755

  local exec_line line entry=share/applications/tilemarch.desktop
  exec_line=$(exec_value "$prefix/$bindir/tilemarch")
  place "$entry"
  while IFS= read -r line; do
    [ "$line" = "Exec=@EXEC@" ] && line="Exec=$exec_line"
    printf '%s\n' "$line"
  done <"$here/tilemarch.desktop.in" >"$root/$entry"
  chmod 644 "$root/$entry"

  while IFS= read -r -d '' file; do
    rel=${file#"$build/icons/"}
    put "$file" "share/icons/$rel" 644
  done < <(find "$build/icons/hicolor" -type f -name '*.png' -print0 | sort -z)

  # Compressed without a name or time stamp, so the same page gives the same bytes.
  place share/man/man6/tilemarch.6.gz
  gzip -9n <"$build/package/tilemarch.6" >"$root/share/man/man6/tilemarch.6.gz"
  chmod 644 "$root/share/man/man6/tilemarch.6.gz"
  for file in "$build"/package/*.metainfo.xml; do
    put "$file" "share/metainfo/${file##*/}" 644
  done
  echo "Installed Tilemarch in $root (start it with $prefix/$bindir/tilemarch)"
}

do_uninstall() {
  if [ ! -f "$manifest" ]; then
    echo "No Tilemarch installation in $root"
    return 0
  fi
  local kind rel path files=() dirs=()
  while IFS=' ' read -r kind rel; do
    # Only plain paths inside the prefix: a damaged list must not reach out.
    if [ "$kind $rel" = "d ." ]; then
      path=$root
    else
      case "/$rel/" in
      //* | */./* | */../*) fail "refusing the listed path '$rel' in $manifest" ;;
      esac
      path=$root/$rel
    fi
    case "$kind" in
    f) files+=("$path") ;;
    d) dirs+=("$path") ;;
    *) fail "unreadable line in $manifest" ;;
    esac
  done <"$manifest"
  rm -f -- "${files[@]}"
  # Directories go deepest first, and only when nothing else is in them.
  local i kept=0
  for ((i = ${#dirs[@]} - 1; i >= 0; i--)); do
    rmdir -- "${dirs[i]}" 2>/dev/null || kept=1
  done
  [ $kept = 0 ] || echo "Kept directories that hold other files"
  echo "Removed Tilemarch from $root"
}

"do_$action"
