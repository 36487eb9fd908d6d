#!/usr/bin/env bash
# Writes the seed corpora of the fuzz targets into OUT/<target>/: the bundled
# sample document and textures, a few hand-made documents with odd counts
# and record sizes, scale-ruler and label names, and small dictionaries.
# usage: fuzz/make_seeds.sh OUT
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:?usage: fuzz/make_seeds.sh OUT}"
data=data/Vist3D

# le32 N: the four little-endian bytes of N as printf escapes.
le32() {
  local n=$(( $1 & 0xFFFFFFFF ))
  printf '\\x%02x\\x%02x\\x%02x\\x%02x' $((n & 255)) $((n >> 8 & 255)) $((n >> 16 & 255)) $((n >> 24 & 255))
}
# header COUNT SIZE: a document header.
header() { printf 'ZObjeto3D 1.00'; printf "$(le32 "$1")$(le32 "$2")"; }
# records N BYTES: N records of BYTES bytes each, of a repeating pattern.
records() { head -c $(( $1 * $2 )) /dev/zero | tr '\0' '\100'; }

# shortstr TEXT: a 64-byte short string (length byte, 63 bytes) of TEXT,
# given with printf escapes.
shortstr() {
  local n; n=$(printf "$1" | wc -c)
  printf "$(printf '\\x%02x' "$n")"; printf "$1"; head -c $((63 - n)) /dev/zero
}
# named NAME TEXTURE TEXT: one cube record with these texts.
named() { printf "$(le32 0)"; shortstr "$1"; head -c 92 /dev/zero; shortstr "$2"; head -c 1 /dev/zero; shortstr "$3"; }

docs="$out/documents"
mkdir -p "$docs"
cp "$data/sample.zobj3d" "$docs/sample"
header 0 289 > "$docs/empty"
{ header 1 200; records 1 200; } > "$docs/short-records"
{ header 2 300; records 2 300; } > "$docs/long-records"
{ header 40 1; records 40 1; } > "$docs/one-byte-records"
{ header 3 289; records 1 289; } > "$docs/truncated"
{ header -1 289; records 1 289; } > "$docs/negative-count"
{ header 2147483647 289; records 1 289; } > "$docs/huge-count"
# Cylinders of no height: a wall whose slope would divide by zero.
flatcyl() { printf "$(le32 1)"; shortstr 'flat'; printf '\x00\x00\x00\x00\x00\x00\x00\x40'; head -c 8 /dev/zero;
  printf '\x00\x00\x00\x00\x00\x00\x00\x40'; head -c 68 /dev/zero; shortstr ''; head -c 1 /dev/zero; shortstr ''; }
{ header 2 289; flatcyl; flatcyl; } > "$docs/flat-cylinders"
# Texts meant for a terminal: escape sequences, bell, delete, a C1 byte.
{ header 2 289; named '\033]0;title\007\033[2J' '\033[31m.bmp' 'a\tb\nc\rd\\e\177\233';
  named '@label\033[5m' '../TEX/\001.bmp' '\033P+q\033\\'; } > "$docs/control-bytes"

for t in fuzz_document_reader fuzz_obj_export fuzz_mesh_export; do
  mkdir -p "$out/$t"
  cp "$docs"/* "$out/$t/"
done
rm -rf "$docs"

mkdir -p "$out/fuzz_jpeg_decoder" "$out/fuzz_bmp_decoder"
cp "$data"/TEX/*.jpeg "$data"/TEX/*.jpg "$out/fuzz_jpeg_decoder/"
cp "$data"/TEX/*.bmp "$out/fuzz_bmp_decoder/"

# Label names: the first byte picks the face; with its high bit set the
# rest follows "@escala|".
labels="$out/fuzz_label_text"
mkdir -p "$labels"
i=0
for name in 'v|100|0|10|5|' '1|10|0|4|1' 'v|100|0|99999999|0|' '1|10|0|2147483647|1' '|||' 'v|-5|5|2|2'; do
  printf '\x80%s' "$name" > "$labels/ruler$((i++))"
done
for name in '@label' '@name=value' 'plain' '@'; do
  printf '\x01%s' "$name" > "$labels/label$((i++))"
done

# The ruler parser takes what follows "@escala|".
rulers="$out/fuzz_scale_ruler"
mkdir -p "$rulers"
for f in "$labels"/ruler*; do tail -c +2 "$f" > "$rulers/$(basename "$f")"; done

dict="$out/fuzz_dictionary"
mkdir -p "$dict"
printf '@GENERAL\r\nabrir;Open;\r\nSalvar;Save\r\nCHARTSET=0\r\n&Arquivo;&File;x\r\n' > "$dict/general"
printf 'header\nNovo;New;\nGrade;Grid;\n' > "$dict/plain"

# Listing fields: control bytes, the escapes' own characters, Latin-1.
esc="$out/fuzz_escaped_text"
mkdir -p "$esc"
i=0
for t in '\033]0;title\007' '\033[2J\033[H' 'tab\there\nline\rcr' '\\x1B literally' '\177\001\037' \
         'caf\351 \233 \377'; do
  printf "$t" > "$esc/t$((i++))"
done

# log.ini as edited by hand, and broken.
ini="$out/fuzz_ini_file"
mkdir -p "$ini"
printf '[LOG]\r\nALLOW=1\r\nALLOWMEM=0\r\n' > "$ini/plain"
printf '[log]\n allow = "1" \n' > "$ini/quoted"
printf '[LOG\nALLOW=1' > "$ini/unclosed"
printf '[LOG]\nALLOW=%0200d\n' 1 > "$ini/long-value"
printf '[LOG]\000\nALLOW\000=1\n=\n[]\n' > "$ini/nul-bytes"

nums="$out/fuzz_text_to_number"
mkdir -p "$nums"
i=0
for n in '3,25' '-1.5E-7' 'NAN' '12°30'"'"'15"' '1±2' '  42  ' '0x10' '1e400'; do
  printf '%s' "$n" > "$nums/n$((i++))"
done
