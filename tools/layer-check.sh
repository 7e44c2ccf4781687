#!/usr/bin/env bash
# Checks that every #include under src/ points down the layers, never up or sideways:
#
#   shell                         the form runtime and what every window shares
#   geometry  machining  fkeyreg  the windows: each on shell only, none on another
#   app                           the registry, the launcher, the start-up sequence
#   cli  qt  win32                the fronts: each on app and below, none on another
#
# Every library compiles with the one include root `src`, so an upward include would still
# compile; this check is what rejects it. An include is resolved as the compiler resolves it
# (beside the including file first, then under the root); an include that leads outside the
# layer folders (the standard library, Qt, nlohmann/json, Windows) is not the check's business.
#
#   tools/layer-check.sh [ROOT]    ROOT defaults to the project's src folder
#
# Prints one line per offending include (FILE:LINE: LAYER must not include PATH (LAYER)) and
# exits 1 when there is any, 0 otherwise, 2 on bad usage.
set -euo pipefail

root=${1:-$(dirname "$0")/../src}
if [ ! -d "$root" ]; then
    echo "layer-check: no folder $root" >&2
    exit 2
fi
root=$(realpath "$root")

# What each layer may include besides itself.
declare -A allowed=(
    [shell]=""
    [geometry]="shell"
    [machining]="shell"
    [fkeyreg]="shell"
    [app]="shell geometry machining fkeyreg"
    [cli]="shell geometry machining fkeyreg app"
    [qt]="shell geometry machining fkeyreg app"
    [win32]="shell geometry machining fkeyreg app"
)

# Sets `normal` to PATH with its "." and ".." parts resolved (no file system access).
normalize() {
    local part out=()
    local IFS=/
    for part in $1; do
        case $part in
            "" | .) ;;
            ..) [ ${#out[@]} -gt 0 ] && unset 'out[${#out[@]}-1]' ;;
            *) out+=("$part") ;;
        esac
    done
    normal="/${out[*]}"
}

# Sets `layer` to the layer a path under ROOT lies in, or to nothing.
layer_of() {
    layer=""
    local rel=${1#"$root"/}
    [ "$rel" = "$1" ] && return 0
    local first=${rel%%/*}
    [ "$first" = "$rel" ] && return 0
    [ -n "${allowed[$first]+set}" ] && layer=$first
    return 0
}

include_re='^[[:space:]]*#[[:space:]]*include[[:space:]]*(["<])([^">]+)[">]'
violations=0
checked=0
while IFS= read -r -d '' file; do
    layer_of "$file"
    from=$layer
    [ -n "$from" ] || continue
    checked=$((checked + 1))
    dir=${file%/*}
    rel=${file#"$root"/}
    lineno=0
    while IFS= read -r line || [ -n "$line" ]; do
        lineno=$((lineno + 1))
        [[ $line =~ $include_re ]] || continue
        inc=${BASH_REMATCH[2]}
        # As the compiler looks: beside the file (quoted includes), then under the root. A
        # name that exists nowhere is judged by its text ("../" from beside the file), so that
        # an include of a header yet to be written is judged too.
        if [ "${BASH_REMATCH[1]}" = '"' ] && { [ -e "$dir/$inc" ] || [[ $inc == ../* ]]; }; then
            normalize "$dir/$inc"
        else
            normalize "$root/$inc"
        fi
        layer_of "$normal"
        to=$layer
        # Outside the layer folders: a system or third-party header.
        [ -n "$to" ] || continue
        [ "$to" = "$from" ] && continue
        [[ " ${allowed[$from]} " == *" $to "* ]] && continue
        echo "$rel:$lineno: $from must not include $inc ($to)"
        violations=$((violations + 1))
    done <"$file"
done < <(find "$root" -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z)

if [ $violations -gt 0 ]; then
    echo "layer-check: $violations include(s) against the layers in $checked files" >&2
    exit 1
fi
echo "layer-check: $checked files, every include points down the layers"
