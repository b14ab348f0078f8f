#!/usr/bin/env bash
# One scripted session of the real program, driven by xdotool as a person
# would use it: answer the size dialog, draw with both buttons, save the
# drawing as a BMP and as a JPEG file. The same steps drive the Linux build
# and the Windows build (under Wine), so that their files can be compared.
#
#   journey.sh linux   <output folder> <program>
#   journey.sh windows <output folder> <program.exe>
#
# Runs inside an X server (xvfb-run) of 24-bit depth, without a window
# manager. Writes <output folder>/drawing.bmp and drawing.jpg, and
# screenshots of the steps into <output folder>/steps/ for when it fails.
set -euo pipefail

side=$1
out=$(realpath -m "$2")
program=$3
here=$(dirname "$(realpath "$0")")

readonly canvas_width=320
readonly canvas_height=240
readonly step_pause=0.4

mkdir -p "$out/steps"
rm -f "$out/drawing.bmp" "$out/drawing.jpg"

case $side in
  linux)
    export QT_QPA_PLATFORM=xcb
    launch=("$program")
    click_to_focus() { :; }
    # The file name as the program's dialog takes it.
    saved_name() { printf '%s/%s' "$out" "$1"; }
    # Qt's file dialog: a click on the type list at the bottom, one entry
    # down, and a click back into the name field above it.
    choose_second_type() {
      local X Y WIDTH HEIGHT WINDOW SCREEN
      eval "$(xdotool getwindowgeometry --shell "$1")"
      xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT - 22)) click 1
      sleep "$step_pause"
      xdotool key Down Return
      sleep "$step_pause"
      xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT - 52)) click 1
    }
    ;;
  windows)
    # A Japanese Windows: narrow texts are code page 932.
    launch=(env LC_ALL=ja_JP.UTF-8 "${SCRIBBLET_WINE:-/usr/lib/wine/wine64}" "$program")
    saved_name() { printf 'Z:%s/%s' "$out" "$1" | tr / '\\'; }
    # Without a window manager, Wine takes the focus only from a click: one
    # at the middle of the caption that it draws, clear of any control.
    click_to_focus() {
      local X Y WIDTH HEIGHT WINDOW SCREEN
      eval "$(xdotool getwindowgeometry --shell "$1")"
      xdotool mousemove $((X + WIDTH / 2)) $((Y + 4)) click 1
    }
    # Wine's save dialog: the type list follows the name field.
    choose_second_type() {
      xdotool key --delay 150 Tab Down shift+Tab
    }
    ;;
  *)
    echo "usage: $0 linux|windows <output folder> <program>" >&2
    exit 2
    ;;
esac

shot=0
snapshot() {
  shot=$((shot + 1))
  import -window root "$out/steps/$shot-$1.png" 2>/dev/null || true
}

fail() {
  snapshot failed
  echo "journey ($side): $*" >&2
  exit 1
}

# The largest visible top-level window with a name, other than those
# named, once one appears within the time given (menus and lists that drop
# down are small and nameless).
wait_for_window() {
  local seconds=$1; shift
  local deadline=$((SECONDS + seconds))
  while [ $SECONDS -lt $deadline ]; do
    local id best="" best_area=1
    for id in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
      local name X Y WIDTH HEIGHT WINDOW SCREEN
      name=$(xdotool getwindowname "$id" 2>/dev/null) || continue
      [ -n "$name" ] || continue
      eval "$(xdotool getwindowgeometry --shell "$id" 2>/dev/null)" || continue
      local skip=0 other
      for other in "$@"; do [ "$name" = "$other" ] && skip=1; done
      if [ $skip -eq 0 ] && [ $((WIDTH * HEIGHT)) -gt $best_area ]; then
        best=$id
        best_area=$((WIDTH * HEIGHT))
      fi
    done
    [ -n "$best" ] && { echo "$best"; return 0; }
    sleep 0.3
  done
  return 1
}

wait_for_named_window() {
  local seconds=$1 name=$2
  local deadline=$((SECONDS + seconds))
  while [ $SECONDS -lt $deadline ]; do
    xdotool search --onlyvisible --name "^$name\$" 2>/dev/null | head -1 | grep . && return 0
    sleep 0.3
  done
  return 1
}

# Gives a window the keyboard.
focus() {
  click_to_focus "$1"
  xdotool windowfocus "$1" 2>/dev/null || true
  sleep "$step_pause"
}

# Replaces the text of the focused field.
type_over() {
  xdotool key End
  xdotool key --repeat 40 --delay 10 BackSpace
  xdotool type --delay 40 "$1"
}

"${launch[@]}" >"$out/program.log" 2>&1 &
program_pid=$!
trap 'kill $program_pid 2>/dev/null || true' EXIT

# 1. The size dialog: width, Tab, height, Enter.
dialog=$(wait_for_window 60 "Default IME") || fail "no size dialog"
focus "$dialog"
snapshot size-dialog
type_over $canvas_width
xdotool key Tab
type_over $canvas_height
snapshot size-typed
xdotool key Return

# 2. The main window, its client area found on the screen as the white
#    block of the canvas's size.
main=$(wait_for_named_window 30 Scribblet) || fail "no main window"
focus "$main"
sleep 1
snapshot main-window
origin=$(import -window root -depth 8 ppm:- | python3 "$here/find_canvas.py" $canvas_width $canvas_height) ||
  fail "canvas not found on the screen"
read -r cx cy <<<"$origin"

# Pointer paths go along rows, columns and diagonals only, so that however
# the moves are sampled the segments cover the same pixels.
move() { xdotool mousemove $((cx + $1)) $((cy + $2)); sleep 0.05; }
drag() {
  local button=$1; shift
  move "$1" "$2"; shift 2
  xdotool mousedown "$button"; sleep 0.1
  while [ $# -gt 0 ]; do move "$1" "$2"; shift 2; done
  xdotool mouseup "$button"; sleep 0.1
}

# 3. Draw: the left pen (black, 3) along an L and a diagonal, the right pen
#    (white, 3) across them, and a stroke that leaves the canvas while the
#    button is held.
drag 1 20 20 20 60 20 120 100 120 180 120 220 80 250 50
drag 1 40 200 80 160 120 200
drag 3 10 100 60 100 110 100 160 100 160 60 160 20
drag 1 300 30 310 30 340 30 340 60 300 60 300 90
move 5 5
sleep 1
snapshot drawn

# 4. Save twice through File > Save: first with the type list left at its
#    first entry (BMP), then with its second entry (JPEG).
save_as() {
  local name=$1 second_type=$2
  focus "$main"
  xdotool key alt+f
  sleep "$step_pause"
  xdotool key s
  local dialog
  dialog=$(wait_for_window 30 "Default IME" Scribblet) || fail "no save dialog"
  sleep 1
  focus "$dialog"
  [ "$second_type" = yes ] && choose_second_type "$dialog"
  sleep "$step_pause"
  type_over "$(saved_name "$name")"
  sleep 1
  snapshot "save-$name"
  # Enter saves. Qt's dialog may spend the first Enter on the completion
  # list of the typed folders; it is pressed again while nothing is written.
  local attempt
  for attempt in 1 2 3; do
    xdotool key Return
    local deadline=$((SECONDS + 4))
    while [ ! -s "$out/$name" ] && [ $SECONDS -lt $deadline ]; do sleep 0.3; done
    [ -s "$out/$name" ] && break
  done
  [ -s "$out/$name" ] || fail "$name was not written"
  sleep 1
}
save_as drawing.bmp no
save_as drawing.jpg yes

# 5. Leave through File > Exit; the program ends with status 0.
focus "$main"
xdotool key alt+f
sleep "$step_pause"
xdotool key x
status=0
wait $program_pid || status=$?
trap - EXIT
[ $status -eq 0 ] || fail "the program ended with status $status"
echo "journey ($side): drawing.bmp and drawing.jpg written to $out"
