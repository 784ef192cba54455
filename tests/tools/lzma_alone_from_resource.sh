#!/bin/sh
# Turns a payload resource into a legacy .lzma file of unknown size (property bytes,
# eight 0xFF bytes, stream) so the real xz can decode it.
# usage: lzma_alone_from_resource.sh RESOURCE OUT.lzma
set -eu
{
  head -c 5 "$1"
  printf '\377\377\377\377\377\377\377\377'
  tail -c +6 "$1"
} > "$2"
