#!/usr/bin/env bash
# Runs koravel-tool as a user would: exit statuses, messages and outputs.
set -u
tool=$1
sample=$2
read_fault_shim=$3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
passed=0
failed=0

check() {  # check NAME EXPECTED ACTUAL
  if [ "$2" == "$3" ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    printf 'FAIL %s\n  expected: %s\n  actual:   %s\n' "$1" "$2" "$3"
  fi
}

"$tool" info "$sample" > "$scratch/info.txt"; check "info exits 0" 0 $?
check "info shows the mesh code" "meshCode: 533945" "$(grep '^meshCode' "$scratch/info.txt")"
check "info shows corners as the window does" "swLon: 139°37' 30\"" "$(grep '^swLon:' "$scratch/info.txt")"

"$tool" info --json "$sample" > "$scratch/info.json"; check "info --json exits 0" 0 $?
check "json has every key" "meshCode mapScale surveyYear revisionYear digitizeYear lonPointN latPointN swLat swLon neLat neLon swLatSeconds swLonSeconds neLatSeconds neLonSeconds latStep lonStep sheetCount recordCount comment recordFlags minElevation maxElevation sheets warnings" \
  "$(python3 -c 'import json,sys; print(" ".join(json.load(open(sys.argv[1]))))' "$scratch/info.json")"
check "json steps and sheets" "1.5 2.25 4 200" \
  "$(python3 -c 'import json,sys; d=json.load(open(sys.argv[1])); print(d["latStep"], d["lonStep"], len(d["sheets"]), len(d["recordFlags"]))' "$scratch/info.json")"

"$tool" copy "$sample" "$scratch/copy.mem"; check "copy exits 0" 0 $?
cmp -s "$sample" "$scratch/copy.mem"; check "copy is byte for byte" 0 $?

"$tool" export "$sample" "$scratch/grid.asc"; check "export exits 0" 0 $?
grep -q 'GCS_Tokyo' "$scratch/grid.prj"; check "export writes the Tokyo datum beside" 0 $?

message=$("$tool" copy "$scratch/absent.mem" "$scratch/out.mem" 2>&1 >/dev/null); status=$?
check "missing file exits 1" 1 $status
check "missing file message" "ファイルが見つかりません。" "$message"
test -e "$scratch/out.mem"; check "missing file writes nothing" 1 $?

message=$("$tool" export "$sample" "$scratch/grid.prj" 2>&1 >/dev/null); status=$?
check "export refuses a grid named .prj" 1 $status
check "export names the formats it writes" "書き出せない形式です。拡張子を .asc、.tif、.tiff のいずれかにして下さい。" "$message"
printf 'U  LAT LON DM\r\nM  G NAD27\r\nT  N3545.00000 E13937.50000\r\nT  N3543.00000 E13941.25000\r\n' > "$scratch/t.trk"
segments=$("$tool" tracks "$sample" "$scratch/t.trk" 2> "$scratch/tracks.err"); status=$?
check "tracks exits 0" 0 $status
check "tracks prints segments in grid cells" "0 0 100 80" "$segments"
check "tracks warns of the datum" "このファイルは測地系が異なるため若干位置がずれます。" "$(cat "$scratch/tracks.err")"
# 139°42'01" is 271″ east of the west edge: 271 / 2.25 cells, whose shortest
# exact form is Python's repr(271 / 2.25).
printf 'U  LAT LON DMS\r\nM  G TOKYO\r\nT  N354500.00 E1393730.00\r\nT  N354430.00 E1394201.00\r\n' > "$scratch/exact.trk"
check "tracks prints each number exactly" "0 0 120.44444444444444 20" "$("$tool" tracks "$sample" "$scratch/exact.trk")"

printf '<gpx><trk><trkseg><trkpt lat="35.75" lon="139.625"/><trkpt lat="35.74" lon="139.70"/><trkpt lat="35.7' > "$scratch/cut.GPX"
"$tool" tracks "$sample" "$scratch/cut.GPX" > "$scratch/cut.out" 2> "$scratch/cut.err"; status=$?
check "a cut GPX file exits 1" 1 $status
check "a cut GPX file names the fault" "このファイルはトラックファイルではありません。" "$(cat "$scratch/cut.err")"
check "a cut GPX file keeps the segment before" 1 "$(wc -l < "$scratch/cut.out")"
check "--version names the version and the Helmert" "koravel-tool X.Y.Z|datum conversion: WGS 84 to Tokyo by EPSG:15484 (Helmert, about 9 m)" \
  "$(KORAVEL_DATA_DIR=$scratch "$tool" --version | sed -E '1s/[0-9]+\.[0-9]+\.[0-9]+$/X.Y.Z/' | paste -sd'|')"

# The sample GPX walk is the sample track taken to WGS 84 by cct; read back,
# it lands on the track (within the 2 cm that the .trk's minutes round to).
samples=$(dirname "$sample")
check "the sample GPX walk lands on the sample track" "218 ok" "$(paste -d' ' \
  <("$tool" tracks "$sample" "$samples/sample.gpx") <("$tool" tracks "$sample" "$samples/sample.trk") |
  awk '{ for (i = 1; i <= 4; i++) if ((d = $i - $(i + 4)) > 5e-4 || d < -5e-4) bad++ } END { print NR, bad ? "off" : "ok" }')"

# A datum grid in the program's data folder is used instead: a small NTv2
# grid of constant shifts made with GDAL, and PROJ's cct as the oracle.
mkdir "$scratch/grid"
band=0
for shift in 10.5 -12.25 0 0; do  # seconds of latitude and longitude, and their errors
  band=$((band + 1))
  printf 'ncols 5\nnrows 5\nxllcorner 139\nyllcorner 35\ncellsize 0.25\n' > "$scratch/grid/$band.asc"
  for row in 1 2 3 4 5; do echo "$shift $shift $shift $shift $shift"; done >> "$scratch/grid/$band.asc"
done
(cd "$scratch/grid" && gdalbuildvrt -q -separate shifts.vrt 1.asc 2.asc 3.asc 4.asc &&
  gdal_translate -q -a_srs EPSG:4326 -of NTv2 shifts.vrt tky2jgd.gsb)
check "--version names the grid in use" "datum conversion: WGS 84 to Tokyo by the grid $scratch/grid/tky2jgd.gsb" \
  "$(KORAVEL_DATA_DIR=$scratch/grid "$tool" --version | tail -n 1)"
printf '<gpx><rte><rtept lat="35.7" lon="139.66"/><rtept lat="35.71" lon="139.7"/></rte></gpx>' > "$scratch/walk.gpx"
placed=$(KORAVEL_DATA_DIR=$scratch/grid "$tool" tracks "$sample" "$scratch/walk.gpx")
oracle=$(printf '139.66 35.7 0 0\n139.7 35.71 0 0\n' |
  cct -I -d 12 +proj=hgridshift +grids="$scratch/grid/tky2jgd.gsb" | awk '{ printf "%.12f %.12f ", ($1 * 3600 - 502650) / 2.25, (128700 - $2 * 3600) / 1.5 }')
check "the grid places points as cct does, within 1 mm" "ok" \
  "$(echo "$placed $oracle" | awk '{ for (i = 1; i <= 4; i++) if ((d = $i - $(i + 4)) > 2e-5 || d < -2e-5) { print "off by " d; exit } print "ok" }')"

# A disk error after a first block that held a segment fails the load.
{ sed 's/NAD27/TOKYO/' "$scratch/t.trk"; printf 'H\r\n%.0s' $(seq 30000); printf 'T  N3544.00000 E13940.00000\r\n'; } \
  > "$scratch/failing.trk"
message=$(KORAVEL_FAIL_READ_OF=$scratch/failing.trk KORAVEL_FAIL_READ_AFTER=65536 LD_PRELOAD=$read_fault_shim \
          "$tool" tracks "$sample" "$scratch/failing.trk" 2>&1 >"$scratch/out.txt")
check "a read error exits 1" 1 $?
check "a read error message" "ファイルエラーです。" "$message"
check "a read error keeps what was read" "0 0 100 80" "$(cat "$scratch/out.txt")"

# check and fill, on copies of the sample with cells set by hand.
set_cells() {  # set_cells IN OUT "x y tenths"...
  python3 - "$@" <<'PY'
import sys
lines = open(sys.argv[1], 'rb').read().split(b'\r\n')
for spec in sys.argv[3:]:
    x, y, v = map(int, spec.split())
    field = (b'%05d' % v) if v >= 0 else (b'-%04d' % -v)
    lines[y] = lines[y][:9 + 5 * (x - 1)] + field + lines[y][14 + 5 * (x - 1):]
open(sys.argv[2], 'wb').write(b'\r\n'.join(lines))
PY
}
check "check finds nothing on the sample" "$sample: 0 findings" "$("$tool" check "$sample")"
check "check exits 0 when nothing is found" 0 $?
set_cells "$sample" "$scratch/spike.mem" "100 30 99999"
check "check names a spike by column and row" "$scratch/spike.mem: spike 100 30 9999.9 m" \
  "$("$tool" check "$scratch/spike.mem" | head -n 1 | cut -d, -f1)"
"$tool" check "$sample" "$scratch/spike.mem" > /dev/null; check "check exits 1 when something is found" 1 $?
check "check --json gives one array for all files" "0 spike 100 30 9999.9" \
  "$("$tool" check --json "$sample" "$scratch/spike.mem" | python3 -c 'import json,sys; a=json.load(sys.stdin); f=a[1]["findings"][0]; print(len(a[0]["findings"]), f["kind"], f["column"], f["row"], f["value"])')"
check "--spike raises the threshold" "$scratch/spike.mem: 0 findings" "$("$tool" check --spike 10000 "$scratch/spike.mem")"
"$tool" check --spike high "$sample" > /dev/null 2>&1; check "check refuses a threshold that is no number" 2 $?
"$tool" check --json > /dev/null 2>&1; check "check without files exits 2" 2 $?

# Cell 100 30 alone without data: filled with the mean of its four
# neighbours, rounded half to even as Python's round() does.
set_cells "$sample" "$scratch/hole.mem" "100 30 -9999" "101 31 -9999"
check "check reports the hole once" "$scratch/hole.mem: hole 100 30 2 cells in columns 100-101, rows 30-31" \
  "$("$tool" check "$scratch/hole.mem" | head -n 1)"
"$tool" fill --hole-cells 1 "$scratch/hole.mem" "$scratch/small.mem" > /dev/null; check "fill exits 0" 0 $?
cmp -s "$scratch/hole.mem" "$scratch/small.mem"; check "fill leaves holes larger than asked" 0 $?
set_cells "$sample" "$scratch/hole.mem" "100 30 -9999"
check "fill says how many cells it filled" "fill: 1 cell filled" "$("$tool" fill "$scratch/hole.mem" "$scratch/filled.mem")"
check "fill puts the mean of the four neighbours" "$(python3 -c '
import sys
rows = open(sys.argv[1], "rb").read().split(b"\r\n")
v = lambda x, y: int(rows[y][9 + 5 * (x - 1):14 + 5 * (x - 1)])
print(round((v(99, 30) + v(101, 30) + v(100, 29) + v(100, 31)) / 4))' "$sample")" \
  "$(python3 -c '
import sys
rows = open(sys.argv[1], "rb").read().split(b"\r\n")
print(int(rows[30][9 + 5 * 99:14 + 5 * 99]))' "$scratch/filled.mem")"
message=$("$tool" fill "$scratch/absent.mem" "$scratch/out.mem" 2>&1 >/dev/null); status=$?
check "fill of a missing file exits 1 with its message" "1 $scratch/absent.mem: ファイルが見つかりません。" "$status $message"
"$tool" fill "$scratch/hole.mem" > /dev/null 2>&1; check "fill without an output exits 2" 2 $?

# A pipe is refused before it is opened for reading, which would wait for a writer.
mkfifo "$scratch/pipe.mem" "$scratch/pipe.trk"
message=$(timeout 5 "$tool" info "$scratch/pipe.mem" 2>&1 >/dev/null); status=$?
check "a pipe as the mesh exits 1 at once" 1 $status
check "a pipe as the mesh says why" "通常のファイルではありません。" "$message"
message=$(timeout 5 "$tool" tracks "$sample" "$scratch/pipe.trk" 2>&1 >/dev/null); status=$?
check "a pipe as the track exits 1 at once" 1 $status
check "a pipe as the track says why" "通常のファイルではありません。" "$message"

# A file name with a line end cannot fake a line of the report.
mkdir "$scratch/in"
printf 533945 > "$scratch/in/a"$'\n'"export: 1 of 1 meshes written, 0 skipped.mem"
"$tool" export --to "$scratch/out" "$scratch/in" > /dev/null 2> "$scratch/batch.err"
check "a skipped name with a line end prints escaped on one line" \
  "$scratch/in/a\\nexport: 1 of 1 meshes written, 0 skipped.mem: メッシュファイルではありません。" "$(cat "$scratch/batch.err")"

# The profile of the sample walk: the CSV's header and row shape, the figures' names.
"$tool" profile "$sample" "$samples/sample.gpx" > "$scratch/profile.csv"; check "profile exits 0" 0 $?
check "profile prints the CSV header" "distance_m,latitude,longitude,mesh_m,gps_m" "$(head -n 1 "$scratch/profile.csv")"
check "profile rows: distance, degrees, heights or empty fields" 0 \
  "$(tail -n +2 "$scratch/profile.csv" | grep -cvE '^[0-9]+\.[0-9],35\.[0-9]{7},139\.[0-9]{7},(-?[0-9]+\.[0-9]{2})?,(-?[0-9]+\.[0-9]{2})?$')"
check "profile rows every 50 m between the walk's 220 points" 1 \
  "$(awk -F, 'NR > 1 && $1 % 50 == 0 { steps++ } END { print (NR - 1 - steps <= 220 && steps > 300) }' "$scratch/profile.csv")"
check "profile --summary names its figures" \
  "length_m lowest_m highest_m ascent_m descent_m ascent_10m_steps_m descent_10m_steps_m gps_minus_mesh_m" \
  "$("$tool" profile "$sample" "$samples/sample.gpx" --summary --step 25 | cut -d: -f1 | paste -sd' ')"
"$tool" profile "$sample" "$samples/sample.gpx" --step 0 > /dev/null 2>&1; check "profile --step 0 exits 2" 2 $?
message=$("$tool" profile "$sample" "$scratch/absent.gpx" 2>&1 >/dev/null); status=$?
check "profile of a missing track exits 1 with its message" "1 $scratch/absent.gpx: ファイルエラーです。" "$status $message"

# gdal_contour -i 50 draws the same 47 lines at 29 levels from the sample's GeoTIFF.
check "contour says what it wrote" "contour: 47 lines at 29 levels" \
  "$("$tool" contour "$sample" "$scratch/lines.geojson" --interval 50)"
message=$("$tool" contour "$sample" "$scratch/lines.shp" --interval 50 2>&1 >/dev/null); status=$?
check "contour names the formats it writes" \
  "1 $scratch/lines.shp: 書き出せない形式です。拡張子を .geojson、.gpkg、.dxf のいずれかにして下さい。" "$status $message"
message=$("$tool" contour "$sample" "$scratch/wgs.geojson" --interval 50 --crs EPSG:6677 2>&1 >/dev/null); status=$?
check "contour keeps GeoJSON on WGS 84" "1 $scratch/wgs.geojson: GeoJSONはWGS 84の経緯度でしか書き出せません。" "$status $message"
test -e "$scratch/lines.shp" || test -e "$scratch/wgs.geojson"; check "refused contours write nothing" 1 $?
"$tool" contour "$sample" "$scratch/lines.gpkg" > /dev/null 2>&1; check "contour without --interval exits 2" 2 $?
"$tool" contour "$sample" "$scratch/lines.gpkg" --interval 10 --crs 6677 > /dev/null 2>&1
check "contour --crs without EPSG: exits 2" 2 $?

"$tool" frobnicate > /dev/null 2>&1; check "unknown command exits 2" 2 $?
"$tool" info > /dev/null 2>&1; check "missing argument exits 2" 2 $?
"$tool" mosaic --compress lzw "$scratch/m.tif" "$sample" > /dev/null 2>&1; check "mosaic refuses an unknown compression" 2 $?
"$tool" mosaic "$scratch/m.tif" "$sample" --compress > /dev/null 2>&1; check "mosaic wants a compression named" 2 $?
test -e "$scratch/m.tif"; check "mosaic with wrong arguments writes nothing" 1 $?

"$tool" --help | grep -q 'export IN.mem OUT.asc'; check "--help explains the commands" 0 $?

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
