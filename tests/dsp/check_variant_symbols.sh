#!/bin/sh
# Fails when the AVX2 variant's object defines a shared (weak) symbol outside
# its own namespace: the linker keeps one copy of such a symbol for the whole
# module, so baseline code could end up calling AVX2 instructions on a
# processor without them. Usage: check_variant_symbols.sh OBJECT
object=$1
symbols=$(nm -C --defined-only "$object") || exit 1
shared=$(printf '%s\n' "$symbols" | awk '$2 ~ /^[WVu]$/' | grep -v 'Avx2::' | grep -v 'DW\.ref\.__gxx_personality_v0')
if [ -n "$shared" ]; then
    echo "shared symbols outside the Avx2 namespace in $object:" >&2
    printf '%s\n' "$shared" >&2
    exit 1
fi
count=$(printf '%s\n' "$symbols" | grep -c 'Avx2::')
if [ "$count" -eq 0 ]; then
    echo "no Avx2 symbols in $object: the variant namespace is not in effect" >&2
    exit 1
fi
echo "$count symbols, all inside the Avx2 namespace or private"
