# The layer order of src/: a folder may include its own layer's headers and those of the layers before it, never
# those after it, so that dependencies run downward. Sourced after setup.sh, not run.
#
# hooks/ holds what Ombrix.exe shares with its hook library, which includes nothing else of ours.
# search sits below the catalogue, which owns its search over the items; the search itself knows only system/.
ombrix_layers=(
  "system hooks"
  "quillane"
  "config launch"
  "search"
  "catalogue"
  "jumplists"
  "ui"
  "settings taskbar"
  "app"
)

# Prints every include that goes against the order; returns non-zero if there is one.
ombrix_check_layers() {
  local -A rank
  local index=0 layer folder status=0 file included line
  for layer in "${ombrix_layers[@]}"; do
    for folder in $layer; do rank[$folder]=$index; done
    index=$((index + 1))
  done
  while IFS= read -r line; do
    file=${line%%:*}
    folder=${file#"$ombrix_root/src/"}
    folder=${folder%%/*}
    included=${line#*#include \"}
    included=${included%%/*}
    [ -n "${rank[$folder]:-}" ] && [ -n "${rank[$included]:-}" ] || continue
    if [ "${rank[$included]}" -gt "${rank[$folder]}" ]; then
      ombrix_log "layer order: ${file#"$ombrix_root/"} includes $included/, a layer above $folder/"
      status=1
    fi
  done < <(grep -rE '^#include "[a-z_]+/' "$ombrix_root/src" --include='*.h' --include='*.cpp')
  return $status
}
