#!/usr/bin/env bash
# Renders the PNG sizes of the icon from kestrel.svg again, after the drawing changed.
set -euo pipefail
cd "$(dirname "$0")"
for size in 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" kestrel.svg -o "kestrel-$size.png"
done
