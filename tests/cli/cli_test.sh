#!/usr/bin/env bash
# Runs koravel-tool as a user would: exit statuses, messages and outputs.
set -u
tool=$1
sample=$2
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
check "export header" "ncols 200|nrows 200|xllcorner 139.625|dx 0.000625|NODATA_value -999.9" \
  "$(grep -E '^(ncols|nrows|xllcorner|dx|NODATA)' "$scratch/grid.asc" | paste -sd'|')"
check "export writes 200 rows of 200" "200 200" \
  "$(tail -n 200 "$scratch/grid.asc" | awk '{ n[NF]++ } END { for (k in n) printf "%s %s", n[k], k }')"
grep -q 'GCS_Tokyo' "$scratch/grid.prj"; check "export writes the Tokyo datum beside" 0 $?

message=$("$tool" info "$scratch/absent.mem" 2>&1 >/dev/null); status=$?
check "missing file exits 1" 1 $status
check "missing file message" "ファイルが見つかりません。" "$message"
printf '533945' > "$scratch/short.mem"
message=$("$tool" copy "$scratch/short.mem" "$scratch/out.mem" 2>&1 >/dev/null); status=$?
check "bad mesh exits 1" 1 $status
check "bad mesh message" "メッシュファイルではありません。" "$message"
test -e "$scratch/out.mem"; check "bad mesh writes nothing" 1 $?

message=$("$tool" export "$sample" "$scratch/grid.prj" 2>&1 >/dev/null); status=$?
check "export refuses a grid named .prj" 1 $status
check "export names the formats it writes" "書き出せない形式です。拡張子を .asc、.tif、.tiff のいずれかにして下さい。" "$message"
printf 'U  LAT LON DM\r\nM  G WGS 84\r\nT  N3545.00000 E13937.50000\r\nT  N3543.00000 E13941.25000\r\n' > "$scratch/t.trk"
segments=$("$tool" tracks "$sample" "$scratch/t.trk" 2> "$scratch/tracks.err"); status=$?
check "tracks exits 0" 0 $status
check "tracks prints segments in grid cells" "0 0 100 80" "$segments"
check "tracks warns of the datum" "このファイルは測地系が異なるため若干位置がずれます。" "$(cat "$scratch/tracks.err")"
printf 'T  N3545.00000 E13937.50000\r\n' > "$scratch/bad.trk"
message=$("$tool" tracks "$sample" "$scratch/bad.trk" 2>&1 >/dev/null); status=$?
check "no track file exits 1" 1 $status
check "no track file message" "このファイルはトラックファイルではありません。" "$message"

"$tool" frobnicate > /dev/null 2>&1; check "unknown command exits 2" 2 $?
"$tool" info > /dev/null 2>&1; check "missing argument exits 2" 2 $?
"$tool" --help | grep -q 'export IN.mem OUT.asc'; check "--help explains the commands" 0 $?

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
