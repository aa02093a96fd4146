#!/bin/sh
# The installed `tilemarch` command. The game keeps its progress in a state
# file in the working directory, and a desktop menu starts programs in $HOME;
# so the game is started in one per-user directory, and progress is the same
# however and wherever it is started.
game="$(dirname "$(readlink -f "$0")")/../lib/tilemarch/tilemarch"

# XDG_DATA_HOME counts only when absolute, as the base directory rules say.
case "${XDG_DATA_HOME:-}" in
/*) base=$XDG_DATA_HOME ;;
*)
  case "${HOME:-}" in
  /*) base=$HOME/.local/share ;;
  *)
    echo "tilemarch: neither XDG_DATA_HOME nor HOME names a directory for your progress" >&2
    exit 1
    ;;
  esac
  ;;
esac

dir=$base/tilemarch
if ! mkdir -p "$dir" || ! cd "$dir"; then
  echo "tilemarch: cannot keep progress in $dir" >&2
  exit 1
fi
exec "$game" "$@"
