#!/usr/bin/env bash
# Writes kvtool's manual page from its --help texts: the general help is the
# page's body, each command's help becomes a section of its own.
#   scripts/kvtool-man.sh KVTOOL OUT.1.gz
set -euo pipefail
kvtool="$1"
out="$2"
include="$(mktemp)"
trap 'rm -f "$include"' EXIT

# The command names: the indented words of the "Commands:" list.
commands="$("$kvtool" --help | awk '/^Commands:/ { on = 1; next } on && /^$/ { exit } on { print $1 }')"
for c in $commands; do
    printf '[COMMAND %s]\n.nf\n' "$(echo "$c" | tr '[:lower:]' '[:upper:]')"
    # The text is roff: a backslash or a leading dot or quote would be a
    # request, a plain minus a hyphen; no filling, so the columns stay.
    "$kvtool" "$c" --help | sed -e 's/\\/\\e/g' -e "s/^\([.']\)/\\\\\&\1/" -e 's/-/\\-/g'
    printf '.fi\n'
done >"$include"

help2man --no-info --no-discard-stderr --section=1 \
    --name="recorder and data-file operations of the KV Manager, from a shell" \
    --include="$include" "$kvtool" | gzip -9n >"$out"
