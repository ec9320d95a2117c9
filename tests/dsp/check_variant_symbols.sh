#!/bin/sh
# Fails when a variant's object defines a weak symbol outside its namespace: the linker keeps one
# copy for the module, so baseline code could run AVX2/AVX-512 instructions.
# Usage: check_variant_symbols.sh OBJECT NAMESPACE (Avx2, Avx512)
object=$1
space=$2
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
