# Drives the running program as a user would, with synthetic clicks and keys (xdotool) on an X display.
# Sourced by bash scripts run in the build folder (the program reads res/ there): scripts/compose-demo and
# the end-to-end test. Before sourcing, set XD_NAME (for messages) and XD_PROBE (the path of the built
# quimble-e2e-probe, which tells where each control lies from the view's own layout code).
# Needs xdotool and imagemagick's import (screenshots and grabs only).

xd_fail() {
    echo "$XD_NAME: $*" >&2
    exit 1
}

# The visible top-level windows of the program other than its main window, one id a line.
xd_other_windows() {
    xdotool search --onlyvisible --pid "$XD_PROGRAM" 2>/dev/null | grep -vx "$XD_WINDOW" || true
}

# Polls (every 0.1 s, up to $2 tenths, default 100) until command $1 prints something; prints its first line.
xd_poll() {
    local out
    for _ in $(seq "${2:-100}"); do
        out=$($1 | head -n 1)
        [ -n "$out" ] && { echo "$out"; return 0; }
        sleep 0.1
    done
    return 1
}

# Ends the program when it still runs; one that has ended already is no error, so that a cleanup under set -e
# goes on to show the program's output.
xd_stop() {
    if [ -n "${XD_PROGRAM:-}" ]; then kill "$XD_PROGRAM" 2>/dev/null || true; fi
}

xd_main_window() { xdotool search --onlyvisible --name ' - Quimble$' 2>/dev/null; }

# Waits for a dialog of the program to open and prints its id.
xd_wait_dialog() { xd_poll xd_other_windows || xd_fail "no dialog opened ($1)"; }

# Waits until no dialog of the program is open.
xd_wait_no_dialog() {
    for _ in $(seq 100); do
        [ -z "$(xd_other_windows)" ] && return 0
        sleep 0.1
    done
    xd_fail "a dialog stayed open ($1)"
}

xd_title() { xdotool getwindowname "$XD_WINDOW"; }

# Polls until the main window's title matches the extended regular expression $1.
xd_wait_title() {
    for _ in $(seq 100); do
        xd_title | grep -Eq "$1" && return 0
        sleep 0.1
    done
    xd_fail "the title stayed \"$(xd_title)\", not /$1/"
}

# Starts the program in English (its output to $1, default nowhere), waits for its window and closes the
# start-up picture. Sets XD_PROGRAM and XD_WINDOW.
xd_start() {
    ./quimble 3 >"${1:-/dev/null}" 2>&1 &
    XD_PROGRAM=$!
    XD_WINDOW=$(xd_poll xd_main_window) || xd_fail "the program's window did not appear"
    xd_close_startup
}

# Waits for the start-up picture and closes it with Return: afterwards it is gone, and no other dialog of the
# program is mistaken for it.
xd_close_startup() {
    local dialog
    dialog=$(xd_wait_dialog "the start-up picture")
    # On a busy machine the key may come before the picture has the keyboard: it is pressed again then.
    for _ in $(seq 10); do
        xdotool windowfocus --sync "$dialog" 2>/dev/null || true
        xdotool key Return
        for _ in $(seq 10); do
            xd_other_windows | grep -qx "$dialog" || return 0
            sleep 0.1
        done
    done
    xd_fail "a dialog stayed open (the start-up picture)"
}

# Where everything lies on the screen, as the probe lays out a window of the same size. Fills XD_RECT[id]
# with "left top right bottom" in screen pixels; sets XD_WINDOW_W, _H to the window's size, XD_VIEW_X, _Y to
# the view's place, and XD_SX, XD_SY to its scale from design units.
declare -A XD_RECT
xd_measure() {
    local X Y WIDTH HEIGHT SCREEN id l t r b
    eval "$(xdotool getwindowgeometry --shell "$XD_WINDOW")"
    XD_WINDOW_W=$WIDTH XD_WINDOW_H=$HEIGHT
    while read -r id l t r b; do
        case $id in
        view) XD_VIEW_X=$((X + l)) XD_VIEW_Y=$((Y + t)) ;;
        scale) XD_SX=$l XD_SY=$t ;;
        *) XD_RECT[$id]="$((XD_VIEW_X + l)) $((XD_VIEW_Y + t)) $((XD_VIEW_X + r)) $((XD_VIEW_Y + b))" ;;
        esac
    done < <("$XD_PROBE" "$WIDTH" "$HEIGHT" layout 2>/dev/null)
    [ -n "${XD_RECT[100046]:-}" ] || xd_fail "the probe named no picture area"
}

# The point of control id at fractions $2/$4 of its width and $3/$4 of its height (default: its centre).
xd_at() {
    local l t r b n=${4:-2}
    read -r l t r b <<<"${XD_RECT[$1]:?no control $1}"
    echo "$((l + (r - l) * ${2:-1} / n)) $((t + (b - t) * ${3:-1} / n))"
}

# A point of the design screen, in screen pixels.
xd_design() { awk -v x="$1" -v y="$2" -v sx="$XD_SX" -v sy="$XD_SY" -v vx="$XD_VIEW_X" -v vy="$XD_VIEW_Y" \
    'BEGIN { printf "%d %d\n", vx + x * sx, vy + y * sy }'; }

xd_click_at() {
    xdotool mousemove "$1" "$2" click 1
    sleep 0.2
}
xd_click() { xd_click_at $(xd_at "$@"); }

# A layer is picked by its label, right of its hide toggle.
xd_click_layer() { xd_click $((100023 + 2 * $1)) 3 1 4; }

# Presses keys $@ in the main window: a closed dialog leaves the keyboard focus nowhere.
xd_key() {
    xdotool windowfocus "$XD_WINDOW"
    sleep 0.1
    xdotool key "$@"
    sleep 0.2
}

# Drags from screen point $1,$2 by $3,$4 pixels, in small steps as a hand would.
xd_drag() {
    xdotool mousemove "$1" "$2" mousedown 1
    for step in 1 2 3 4 5 6 7 8; do
        xdotool mousemove $(($1 + $3 * step / 8)) $(($2 + $4 * step / 8))
        sleep 0.03
    done
    xdotool mouseup 1
    sleep 0.2
}

# Clicks Text, types $1 into the Text dialog and closes it with its OK button (design place 9, 114, 50 x
# 18 of the dialog's 281 x 138).
xd_type_text() {
    local dialog X Y WIDTH HEIGHT SCREEN
    xd_click 100009
    dialog=$(xd_wait_dialog "Text")
    xdotool type --delay 10 "$1"
    xd_shot text-dialog
    eval "$(xdotool getwindowgeometry --shell "$dialog")"
    xd_click_at $((X + WIDTH * 30 / 281)) $((Y + HEIGHT * 123 / 138))
    xd_wait_no_dialog "Text"
}

# Answers the file dialog that command id $1 opens with the full path $2.
xd_file_dialog() {
    local dialog
    xd_click "$1"
    dialog=$(xd_wait_dialog "file name for $2")
    # Keys sent before the dialog has the focus would go elsewhere; the name field may hold the last name.
    xdotool windowfocus --sync "$dialog"
    sleep 0.2
    xdotool key ctrl+a
    xdotool type --delay 5 "$2"
    xdotool key Return
    xd_wait_no_dialog "file name for $2"
}

# The pixels of control id as it shows now, into image file $2.
xd_grab() {
    local l t r b
    read -r l t r b <<<"${XD_RECT[$1]:?no control $1}"
    import -window root -crop "$((r - l))x$((b - t))+$l+$t" +repage "$2"
}

# Whether two images have the same pixels.
xd_same() { [ "$(compare -metric AE "$1" "$2" null: 2>&1)" = 0 ]; }

# Grabs control $1 into $2 until it equals picture $3 (a busy machine may paint late); up to 5 s.
xd_grab_until_same() {
    for _ in $(seq 25); do
        xd_grab "$1" "$2"
        xd_same "$3" "$2" && return 0
        sleep 0.2
    done
    return 1
}

# A screenshot of the whole display as $XD_SHOTS/<XD_SHOT_PREFIX><name>.png, when XD_SHOTS is set.
xd_shot() {
    [ -n "${XD_SHOTS:-}" ] || return 0
    mkdir -p "$XD_SHOTS"
    sleep 0.3
    import -window root "$XD_SHOTS/${XD_SHOT_PREFIX:-}$1.png"
    echo "$XD_SHOTS/${XD_SHOT_PREFIX:-}$1.png" >&2
}
