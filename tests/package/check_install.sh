#!/usr/bin/env bash
# Installs the build into a temporary folder (DESTDIR) and checks the installed tree as a
# package would ship it: the programs, the desktop entry, the metainfo, every icon size, the
# manual pages, the shell completions, and that the manual pages and completions name every
# command, option and setting the installed lorvexandrin-cli knows.
# Usage: check_install.sh BUILD_DIR GUI(ON|OFF)
set -uo pipefail

BUILD=$1
GUI=${2:-ON}
APP_ID=org.quorin.Lorvexandrin
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
failures=0
fail() {
  echo "FAILED: $*" >&2
  failures=$((failures + 1))
}

if ! DESTDIR="$WORK/root" cmake --install "$BUILD" --prefix /usr >"$WORK/install.log" 2>&1; then
  cat "$WORK/install.log" >&2
  echo "FAILED: cmake --install" >&2
  exit 1
fi
USR=$WORK/root/usr
SHARE=$USR/share
CLI=$USR/bin/lorvexandrin-cli

[ -x "$CLI" ] || fail "bin/lorvexandrin-cli is not installed"
MAN_PAGES=(lorvexandrin-cli)
if [ "$GUI" = ON ]; then
  MAN_PAGES+=(lorvexandrin)
  [ -x "$USR/bin/lorvexandrin" ] || fail "bin/lorvexandrin is not installed"

  desktop=$SHARE/applications/$APP_ID.desktop
  if [ -f "$desktop" ]; then
    desktop-file-validate "$desktop" || fail "desktop-file-validate $APP_ID.desktop"
    grep -qx "Icon=$APP_ID" "$desktop" || fail "the desktop entry's Icon is not $APP_ID"
    grep -q '^MimeType=inode/directory;.*image/jpeg;' "$desktop" || fail "the desktop entry lacks its MIME types"
  else
    fail "share/applications/$APP_ID.desktop is not installed"
  fi

  metainfo=$SHARE/metainfo/$APP_ID.metainfo.xml
  if [ -f "$metainfo" ]; then
    appstreamcli validate --no-net "$metainfo" >"$WORK/appstream.log" 2>&1 ||
      { cat "$WORK/appstream.log" >&2; fail "appstreamcli validate $APP_ID.metainfo.xml"; }
    grep -q "<launchable type=\"desktop-id\">$APP_ID.desktop</launchable>" "$metainfo" ||
      fail "the metainfo does not launch $APP_ID.desktop"
    grep -q '@[A-Z_]*@' "$metainfo" && fail "the metainfo has an unconfigured @VARIABLE@"
  else
    fail "share/metainfo/$APP_ID.metainfo.xml is not installed"
  fi

  [ -f "$SHARE/icons/hicolor/scalable/apps/$APP_ID.svg" ] || fail "the scalable icon is not installed"
  for size in 16 32 48 64 128 256; do
    icon=$SHARE/icons/hicolor/${size}x${size}/apps/$APP_ID.png
    if [ ! -f "$icon" ]; then
      fail "the ${size} px icon is not installed"
    elif ! file "$icon" | grep -q "PNG image data, $size x $size,"; then
      fail "$(file "$icon") is not $size x $size"
    fi
  done
fi

# Manual pages: present, and groff renders them without a warning.
for page in "${MAN_PAGES[@]}"; do
  file=$SHARE/man/man1/$page.1.gz
  if [ ! -f "$file" ]; then
    fail "the manual page $page(1) is not installed"
    continue
  fi
  if ! MANWIDTH=80 LC_ALL=C.UTF-8 man --warnings -E UTF-8 -l "$file" >"$WORK/$page.txt" 2>"$WORK/$page.err" ||
    [ -s "$WORK/$page.err" ]; then
    cat "$WORK/$page.err" >&2
    fail "man -l $page.1.gz"
  fi
  grep -q '@[A-Z_]*@' "$WORK/$page.txt" && fail "$page(1) has an unconfigured @VARIABLE@"
  # A copy to search, with lines too long to break a word or an option.
  MANWIDTH=2000 LC_ALL=C.UTF-8 man --nh --nj -E UTF-8 -l "$file" >"$WORK/$page.search" 2>/dev/null
done

BASH_FILE=$SHARE/bash-completion/completions/lorvexandrin-cli
ZSH_FILE=$SHARE/zsh/vendor-completions/_lorvexandrin-cli
FISH_FILE=$SHARE/fish/vendor_completions.d/lorvexandrin-cli.fish
for f in "$BASH_FILE" "$ZSH_FILE" "$FISH_FILE"; do [ -f "$f" ] || fail "${f#"$WORK/root"} is not installed"; done

# What the program says it knows: its commands and options (also those of each command's own
# --help, where it has one) and its settings, read in a private home.
export HOME=$WORK/home XDG_CONFIG_HOME=$WORK/home/config XDG_DATA_HOME=$WORK/home/data
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME"
if [ -x "$CLI" ]; then
  "$CLI" --help >"$WORK/help.txt" 2>&1 || fail "lorvexandrin-cli --help"
  commands=$(sed -n '/^Commands:/,/^$/p' "$WORK/help.txt" | awk 'NR > 1 && NF { print $1 }')
  [ -n "$commands" ] || fail "no commands found in lorvexandrin-cli --help"
  for command in $commands; do
    if usage=$(timeout 20 "$CLI" "$command" --help 2>/dev/null); then echo "$usage" >>"$WORK/help.txt"; fi
  done
  options=$(grep -o -- '--[a-z][a-z-]*' "$WORK/help.txt" | sort -u)
  settings=$("$CLI" settings list 2>/dev/null | cut -f1)
  [ -n "$settings" ] || fail "lorvexandrin-cli settings list gives no settings"

  MAN_TEXT=$WORK/lorvexandrin-cli.search
  for word in $commands $options $settings; do
    grep -qF -- "$word" "$MAN_TEXT" || fail "lorvexandrin-cli(1) does not name '$word'"
    for f in "$BASH_FILE" "$ZSH_FILE" "$FISH_FILE"; do
      [ -f "$f" ] || continue
      case $word in
        --*) pattern=${word#--} ;;  # fish names long options without their dashes
        *) pattern=$word ;;
      esac
      grep -qwF -- "$pattern" "$f" || fail "${f##*/} does not complete '$word'"
    done
  done
fi

# The desktop program's manual page names every option of its --help (which needs no display).
if [ "$GUI" = ON ] && [ -x "$USR/bin/lorvexandrin" ] && [ -f "$WORK/lorvexandrin.search" ]; then
  for option in $("$USR/bin/lorvexandrin" --help | grep -o -- '--[a-z][a-z-]*' | sort -u); do
    grep -qF -- "$option" "$WORK/lorvexandrin.search" || fail "lorvexandrin(1) does not name '$option'"
  done
fi

# The completions work: bash completes "lorvexandrin-cli re" to rename and recover and setting names after
# "settings get"; zsh and fish read their files without a syntax error.
if [ -f /usr/share/bash-completion/bash_completion ] && [ -f "$BASH_FILE" ]; then
  result=$(bash --norc --noprofile -c '
    source /usr/share/bash-completion/bash_completion
    source "$1"
    complete_line() {
      COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); COMP_LINE="$*"; COMP_POINT=${#COMP_LINE}; COMPREPLY=()
      _lorvexandrin_cli lorvexandrin-cli "${COMP_WORDS[-1]}" "${COMP_WORDS[-2]}"
      echo "${COMPREPLY[*]}"
    }
    complete_line lorvexandrin-cli re
    complete_line lorvexandrin-cli settings get RenameT
    complete_line lorvexandrin-cli list --type tar' _ "$BASH_FILE")
  expected=$'rename recover\nRenameType\ntarget target-delete'
  [ "$result" = "$expected" ] || fail "bash completion gave '$result', expected '$expected'"
else
  fail "bash-completion is not installed (scripts/install-deps)"
fi
if command -v zsh >/dev/null; then zsh -n "$ZSH_FILE" || fail "zsh -n _lorvexandrin-cli"; fi
if command -v fish >/dev/null; then fish -n "$FISH_FILE" || fail "fish -n lorvexandrin-cli.fish"; fi

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) of the installed tree failed" >&2
  exit 1
fi
echo "installed tree checked: $(find "$WORK/root" -type f | wc -l) files"
