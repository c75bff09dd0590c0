# Turns the tour's screenshots into the pictures the README shows, with
# ImageMagick, and checks them: every screenshot that steps.txt lists exists,
# is a whole screen, and shows each window's own colour at its mark exactly
# when the tour found the window standing there.
#
#   pnr_pictures SHOTS DOCS
#
# SHOTS holds the tour's screenshots and steps.txt (written by the demo
# program, and desk.txt for the two-monitor scene); DOCS gets demo.gif,
# screenshots/before-and-active.png, screenshots/host-window.png and
# screenshots/two-monitors.png. Each marked screenshot, with the pointer drawn
# in and a caption strip naming the step, goes to SHOTS/marked.

# The pointer: an arrow with its tip at 0,0, drawn over a ring that makes it
# easy to find.
PNR_ARROW="polygon 0,0 0,17 4,13 7,20 10,19 7,12 12,12"

pnr_mark_pointer() {  # IN OUT X Y CHORD
    local ring=(-fill 'rgba(255,196,0,0.35)' -stroke 'rgba(224,120,0,0.9)' -strokewidth 2
                -draw "circle $3,$4 $(($3 + 15)),$4")
    if [ "$5" = 1 ]; then  # both buttons pressed: a second, red ring
        ring+=(-fill none -stroke 'rgba(210,30,30,0.95)' -strokewidth 3 -draw "circle $3,$4 $(($3 + 24)),$4")
    fi
    convert "$1" "${ring[@]}" -fill white -stroke black -strokewidth 1 \
        -draw "translate $3,$4 scale 1.3,1.3 $PNR_ARROW" "$2"
}

pnr_caption_strip() {  # IN OUT TEXT
    convert "$1" -background '#1E2833' -gravity south -splice 0x40 -fill white -stroke none \
        -font DejaVu-Sans -pointsize 19 -annotate +0+10 "$3" "$2"
}

pnr_png_out() {  # IN OUT: a 256-colour PNG, undithered: a fifth of the size, no visible loss
    convert "$1" +dither -colors 256 -strip -define png:compression-level=9 PNG8:"$2"
}

# 1234567 -> 1 234 567
pnr_grouped() { echo "$1" | sed -e ':a' -e 's/\([0-9]\)\([0-9]\{3\}\)\($\| \)/\1 \2\3/;ta'; }

pnr_pictures() {
    local shots=$1 docs=$2
    local steps="$shots/steps.txt" failed=0
    [ -s "$steps" ] || { echo "panorela: the tour left no $steps" >&2; return 1; }
    mkdir -p "$shots/marked" "$shots/pointer" "$docs/screenshots"

    local marks=() room=() host=() kind a b c d e f g h i j caption
    while read -r kind a b c d e f g h i j; do
        case $kind in
            mark) marks+=("$a $b $c") ;;
            room) room=($a $b $c $d $e $f $g $h $i $j) ;;
            host) host=($a $b $c $d) ;;
        esac
    done <"$steps"

    local total n=0 shot x y chord seen0 seen1 frames=()
    total=$(grep -c '^step ' "$steps")
    while read -r kind shot x y chord seen0 seen1 caption; do
        [ "$kind" = step ] || continue
        n=$((n + 1))
        local raw="$shots/$shot.png"
        if [ ! -s "$raw" ] || [ "$(identify -format '%wx%h' "$raw" 2>/dev/null)" != 1024x768 ]; then
            echo "panorela: $raw is missing or not a 1024 x 768 screenshot" >&2
            failed=1
            continue
        fi
        local k seen mark colour
        for k in 0 1; do
            seen=$([ $k = 0 ] && echo "$seen0" || echo "$seen1")
            read -r mx my colour <<<"${marks[$k]}"
            mark=$(convert "$raw" -format "%[hex:u.p{$mx,$my}]" info:)
            if { [ "$seen" = 1 ] && [ "$mark" != "${colour^^}" ]; } ||
               { [ "$seen" = 0 ] && [ "$mark" = "${colour^^}" ]; }; then
                echo "panorela: $shot.png: at $mx,$my colour $mark, but the $([ $k = 0 ] && echo main window || echo inspector) is $([ "$seen" = 1 ] && echo there || echo not there)" >&2
                failed=1
            fi
        done
        pnr_mark_pointer "$raw" "$shots/pointer/$shot.png" "$x" "$y" "$chord"
        pnr_caption_strip "$shots/pointer/$shot.png" "$shots/marked/$shot.png" "$n/$total  $caption"
        frames+=("$shots/marked/$shot.png")
    done <"$steps"
    [ "$failed" = 0 ] || return 1

    # The animation: each step 1.8 s, the first and the last 3 s.
    local last=$((${#frames[@]} - 1))
    convert -delay 300 "${frames[0]}" -delay 180 "${frames[@]:1:$((last - 1))}" -delay 300 "${frames[$last]}" \
        +dither -layers Optimize -loop 0 "$docs/demo.gif"

    # Before and active side by side, the code editor's rectangle outlined in
    # each, with the room that activation gains as the tour measured it.
    local before=${room[0]} active=${room[5]}
    local gained=$((active - before))
    local times
    times=$(awk -v a="$active" -v b="$before" 'BEGIN { printf "%.1f", a / b }')
    local half=()
    for k in 0 1; do
        local file label r
        if [ $k = 0 ]; then
            file="$shots/pointer/01-before.png" label="Before activation" r=("${room[@]:1:4}")
        else
            file="$shots/pointer/02-active.png" label="Active" r=("${room[@]:6:4}")
        fi
        convert "$file" -fill none -stroke '#E8590C' -strokewidth 6 \
            -draw "rectangle $((r[0] + 3)),$((r[1] + 3)) $((r[2] - 4)),$((r[3] - 4))" \
            -resize 50% -bordercolor '#8A949E' -border 1 -background white -gravity north -splice 0x34 -fill '#1E2833' -stroke none \
            -font DejaVu-Sans-Bold -pointsize 18 -annotate +0+7 "$label" "$shots/half-$k.png"
        half+=("$shots/half-$k.png")
    done
    convert "${half[0]}" -size 16x1 xc:white "${half[1]}" +append +repage -background white -gravity south \
        -splice 0x64 -fill '#1E2833' -font DejaVu-Sans -pointsize 17 \
        -annotate +0+34 "Code editor in view (outlined): $(pnr_grouped "$before") pixels before, $(pnr_grouped "$active") while active" \
        -font DejaVu-Sans-Bold -annotate +0+8 "Screen room gained: $(pnr_grouped "$gained") pixels ($times times as much)" \
        "$shots/before-and-active.png"
    pnr_png_out "$shots/before-and-active.png" "$docs/screenshots/before-and-active.png"

    # The host's window, cut out of its screenshot by the rectangle the tour measured.
    local hx=$((host[0] < 0 ? 0 : host[0])) hy=$((host[1] < 0 ? 0 : host[1]))
    convert "$shots/10-host-window.png" -crop "$((host[2] - hx))x$((host[3] - hy))+$hx+$hy" +repage \
        "$shots/host-window.png"
    pnr_png_out "$shots/host-window.png" "$docs/screenshots/host-window.png"

    # The two-monitor scene: the whole desk, the pointer on the second monitor.
    local desk_shot dx dy desk_caption
    read -r desk_shot dx dy desk_caption <"$shots/desk.txt" || true
    if [ ! -s "$shots/$desk_shot.png" ] ||
       [ "$(identify -format '%wx%h' "$shots/$desk_shot.png" 2>/dev/null)" != 2048x768 ]; then
        echo "panorela: the two-monitor scene left no screenshot of the whole desk" >&2
        failed=1
    else
        pnr_mark_pointer "$shots/$desk_shot.png" "$shots/pointer/$desk_shot.png" "$dx" "$dy" 0
        convert "$shots/pointer/$desk_shot.png" -resize 50% -bordercolor '#8A949E' -border 1 \
            "$shots/marked/$desk_shot.png"
        pnr_caption_strip "$shots/marked/$desk_shot.png" "$shots/two-monitors.png" "$desk_caption"
        pnr_png_out "$shots/two-monitors.png" "$docs/screenshots/two-monitors.png"
    fi

    local picture size
    for picture in "$docs/demo.gif" "$docs/screenshots/before-and-active.png" "$docs/screenshots/host-window.png" \
                   "$docs/screenshots/two-monitors.png"; do
        size=$(stat -c %s "$picture" 2>/dev/null || echo 0)
        if [ "$size" -lt 2000 ] || [ "$size" -gt 2097152 ]; then
            echo "panorela: $picture has $size bytes" >&2
            failed=1
        fi
        echo "picture: $picture ($(identify -format '%w x %h' "$picture[0]"), $((size / 1024)) KiB)"
    done
    return "$failed"
}
