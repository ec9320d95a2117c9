#!/bin/sh
# Fails when an instruction-set variant's object defines a shared (weak)
# symbol outside its own namespace: the linker keeps one copy of such a
# symbol for the whole module, so baseline code could end up calling AVX2 or
# AVX-512 instructions on a processor without them.
# Usage: check_variant_symbols.sh OBJECT NAMESPACE (Avx2, Avx512)
object=$1
space=$2
if [ ! -f "$object" ] || [ -z "$space" ]; then
    echo "usage: check_variant_symbols.sh OBJECT NAMESPACE (object: $object)" >&2
    exit 1
fi
symbols=$(nm -C --defined-only "$object") || exit 1
shared=$(printf '%s\n' "$symbols" | awk '$2 ~ /^[WVu]$/' | grep -v "$space::" | grep -v 'DW\.ref\.__gxx_personality_v0')
if [ -n "$shared" ]; then
    echo "shared symbols outside the $space namespace in $object:" >&2
    printf '%s\n' "$shared" >&2
    exit 1
fi
count=$(printf '%s\n' "$symbols" | grep -c "$space::")
if [ "$count" -eq 0 ]; then
    echo "no $space symbols in $object: the variant namespace is not in effect" >&2
    exit 1
fi
echo "$count symbols, all inside the $space namespace or private"
