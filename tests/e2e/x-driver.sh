# SPDX-License-Identifier: MIT
# shellcheck shell=bash
# Sourced by the end-to-end drivers on X (e2e.sh, e2e-wine.sh): runs the
# scenario (scenario.txt beside this file) on the program's window with real X
# input (xdotool), reads fields back through the clipboard (xclip) and saves
# screenshots (ImageMagick's import).
#
# The driver sets `out` (the screenshot folder) before sourcing this, then
#   window          the program's X window, once it has appeared
#   x_left, x_top   where the client area begins inside that window (0 0)
#   x_delay         xdotool's delay between keys, in ms (30)
#   x_pause         the pause after each click, key or text, in seconds (0.2)
#   x_shot_suffix   added to every screenshot's name (none)
# and calls load_points with layout_points' output on its input, then
# run_scenario [SECTION...].

X_SCENARIO=$(realpath "$(dirname "${BASH_SOURCE[0]}")/scenario.txt")
window=
x_left=0
x_top=0
x_delay=30
x_pause=0.2
x_shot_suffix=
x_step=
declare -A at=()
# The scenario's key names in xdotool's words.
declare -A x_keys=([Tab]=Tab [Shift+Tab]=shift+Tab [Enter]=Return [Space]=space [Escape]=Escape)

fail() {
    echo "FAIL: ${x_step:+$x_step: }$*" >&2
    import -window root "$out/failure.png" 2>/dev/null || true
    exit 1
}

# Reads "NAME CENTRE_X CENTRE_Y" lines (layout_points) into `at`.
load_points() {
    local name x y
    at=()
    while read -r name x y; do at[$name]="$x ${y%$'\r'}"; done
    ((${#at[@]} > 0)) || fail "no control places"
}

click() {
    [[ -n ${at[$1]:-} ]] || fail "no control called $1"
    local x y
    read -r x y <<<"${at[$1]}"
    xdotool mousemove --window "$window" $((x + x_left)) $((y + x_top)) click 1
    sleep "$x_pause"
}
keys() { xdotool key --delay "$x_delay" "$@"; sleep "$x_pause"; }
type_text() { xdotool type --delay "$x_delay" -- "$1"; sleep "$x_pause"; }

# Reads a field as a person would copy it: click, select all, copy.
read_field() {
    printf '' | xclip -selection clipboard
    click "$1"
    keys ctrl+a ctrl+c
    xclip -o -selection clipboard 2>/dev/null || true
}
expect_field() {
    local got
    got=$(read_field "$1")
    [[ $got == "$2" ]] || fail "$1 holds '$got', expected '$2'"
    echo "ok: $1 = $2"
}

box_open() { xdotool search --onlyvisible --name '^Ostrel$' >/dev/null; }
wait_box_gone() {
    timeout 10 bash -c "while xdotool search --onlyvisible --name '^Ostrel\$' >/dev/null; do sleep 0.1; done"
}

# Neither Qt's box on X nor Wine's copies its text (ctrl+c: Qt does it only on
# Windows, Wine not at all), and a person cannot select it: here the box is
# only seen to open, with the title "Ostrel".
expect_message() {
    timeout 10 bash -c "until xdotool search --onlyvisible --name '^Ostrel\$' >/dev/null; do sleep 0.1; done" ||
        fail "no message box appeared"
    sleep 0.5
    echo "ok: a message box is open (to show: $1)"
}
close_message() {
    box_open || fail "no message box to close"
    keys Return
    wait_box_gone || fail "the message box did not close"
}
expect_no_message() {
    # A box opens within a moment of what opened it.
    sleep 0.5
    if box_open; then fail "a message box is open"; fi
    echo "ok: no message box"
}

screenshot() {
    local file=$out/$1$x_shot_suffix.png
    if box_open; then
        import -window root "$file"
    else
        import -window "$window" "$file"
    fi
}

# Runs one step; x_step names it for fail.
run_step() {
    local verb=$1 arg=$2 name
    local -a names pressed=()
    case $verb in
        type) type_text "$arg" ;;
        key)
            read -ra names <<<"$arg"
            for name in "${names[@]}"; do pressed+=("${x_keys[$name]}"); done
            keys "${pressed[@]}"
            ;;
        click) click "$arg" ;;
        expect) expect_field "${arg%% *}" "${arg#* }" ;;
        message) expect_message "$arg" ;;
        close) close_message ;;
        no-message) expect_no_message ;;
        screenshot) screenshot "$arg" ;;
    esac
}

# run_scenario [SECTION...]: reads the whole scenario and checks its form,
# then runs the named sections (all without names) in the file's order.
run_scenario() {
    local line verb arg name section='' number=0 i
    local -a lines=() verbs=() args=() sections=() names=()
    local -A known=() wanted=()
    x_step=
    while IFS= read -r line || [[ -n $line ]]; do
        number=$((number + 1))
        line=${line%$'\r'}
        [[ -z ${line//[[:space:]]/} || $line == '#'* ]] && continue
        x_step="$(basename "$X_SCENARIO"):$number"
        verb=${line%% *}
        arg=
        [[ $line == *' '* ]] && arg=${line#* }
        case $verb in
            section)
                [[ -n $arg && $arg != *' '* ]] || fail "a section needs one name"
                [[ -z ${known[$arg]:-} ]] || fail "a second section $arg"
                known[$arg]=1
                section=$arg
                continue
                ;;
            type | click | message | screenshot) [[ -n $arg ]] || fail "$verb needs an argument" ;;
            key)
                [[ -n $arg ]] || fail "key needs a key"
                read -ra names <<<"$arg"
                for name in "${names[@]}"; do
                    [[ -n ${x_keys[$name]:-} ]] || fail "no key called '$name'"
                done
                ;;
            expect) [[ $arg == ?*' '?* ]] || fail "expect needs a control and a text" ;;
            close | no-message) [[ -z $arg ]] || fail "$verb takes no argument" ;;
            *) fail "no step called '$verb'" ;;
        esac
        [[ -n $section ]] || fail "a step before the first section"
        lines+=("$number")
        verbs+=("$verb")
        args+=("$arg")
        sections+=("$section")
    done <"$X_SCENARIO"
    x_step=
    for name in "$@"; do
        [[ -n ${known[$name]:-} ]] || fail "the scenario has no section $name"
        wanted[$name]=1
    done

    section=''
    for i in "${!verbs[@]}"; do
        (($# == 0)) || [[ -n ${wanted[${sections[i]}]:-} ]] || continue
        if [[ ${sections[i]} != "$section" ]]; then
            section=${sections[i]}
            echo "section $section"
        fi
        x_step="$(basename "$X_SCENARIO"):${lines[i]}: ${verbs[i]}${args[i]:+ ${args[i]}}"
        run_step "${verbs[i]}" "${args[i]}"
    done
    x_step=
}
