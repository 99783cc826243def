#!/usr/bin/env bash
# Makes the harnesses' first inputs from a demo client folder (plmclient --create-demo): its PDFs,
# signature pictures, signature settings, table rows and names, and the module's own formats.
# Usage: tests/fuzz/make_seeds.sh DEMO_FOLDER SEED_FOLDER   (one subfolder per harness)
set -euo pipefail
demo=$1
seeds=$2
root=$(cd "$(dirname "$0")/../.." && pwd)
db=$demo/plm.db
part=$'\n=====viz-part=====\n'
rm -rf "$seeds"
mkdir -p "$seeds"/{profile,wide_format,split_fields,db_rows,sign_pdf,picture,statement_shape}
q() { sqlite3 -batch -noheader "$db" "$1"; }

# Vault files of one kind, the first few distinct contents.
vault_files() { q "SELECT MIN(VAULT_NAME) FROM T_StoredFile WHERE lower(name) LIKE '%.$1' GROUP BY FILE_SIZE LIMIT $2" \
  | sed "s|^|$demo/vault/|"; }
mapfile -t pdfs < <(vault_files pdf 3)
mapfile -t pictures < <(vault_files bmp 2)

# Pictures: the demo's signatures.
for i in "${!pictures[@]}"; do cp "${pictures[$i]}" "$seeds/picture/demo-$i.bmp"; done

# A signing job as the module writes one, from the demo's signature settings: each text and
# picture signature at the places the locations name.
mapfile -t locations < <(q "SELECT NameLocation FROM T_SignatureLocationCfg ORDER BY OBJ_ID")
mapfile -t signatures < <(q "SELECT Format || '|' || ifnull(SignContent,'') || '|' || ifnull(Font,'')
  FROM T_SignatureCfg ORDER BY OBJ_ID")
job=$'[PDFSIGN]\r\n'"NUMBER=${#signatures[@]}"$'\r\n'
n=0
for s in "${signatures[@]}"; do
  IFS='|' read -r format content font <<<"$s"
  IFS=',' read -r x y w h _ <<<"${locations[$((n % ${#locations[@]}))]}"
  n=$((n + 1))
  job+="[SIGN$n]"$'\r\n'
  if [ "$format" = 2 ]; then job+=$'IMAGE=%PICTURE%\r\n'; else job+="CONTENT=$content"$'\r\n'"FONT=${font%%,*}"$'\r\n'; fi
  job+="X=$x"$'\r\n'"Y=$y"$'\r\n'"WIDTH=$w"$'\r\n'"HEIGHT=$h"$'\r\n'"Page=$((n % 3 - 1))"$'\r\n'
done
for i in "${!pdfs[@]}"; do
  { printf '%s%s' "$job" "$part"; cat "${pdfs[$i]}"; printf '%s' "$part"; cat "${pictures[$((i % ${#pictures[@]}))]}"; } \
    >"$seeds/sign_pdf/demo-$i"
done

# Profile: a key rewritten, a key added, a section added, a key and a section deleted, each on the demo's job.
printf 'PDFSIGN\tNUMBER\t7\n%s' "$job" >"$seeds/profile/number"
printf 'sign1\tfont\t黑体\n%s' "$job" >"$seeds/profile/font"
printf 'SIGN2\tCOLOR_R\t255\n%s' "$job" >"$seeds/profile/color"
printf 'New\tKey\tvalue ; not a comment\n%s' "$job" >"$seeds/profile/section"
printf 'SIGN2\tImage\n%s' "$job" >"$seeds/profile/delete-key"
printf 'sign3\n%s' "$job" >"$seeds/profile/delete-section"

# Field splitter: the demo's signature locations, with and without other delimiters.
i=0
q "SELECT NameLocation FROM T_SignatureLocationCfg UNION SELECT TimeLocation FROM T_SignatureLocationCfg" |
  while IFS= read -r location; do
    printf '%s' "$location" >"$seeds/split_fields/location-$i"
    printf ', \t\n%s' "$location" >"$seeds/split_fields/delimiters-$i"
    i=$((i + 1))
  done

# Rows: each table's first rows, every column with its stored type, under the table's first column name.
for table in $(q "SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"); do
  mapfile -t columns < <(q "SELECT name FROM pragma_table_info('$table')")
  {
    printf '%s\n' "${columns[0]}"
    for c in "${columns[@]}"; do
      q "SELECT CASE typeof(\"$c\") WHEN 'integer' THEN 'i' || \"$c\" WHEN 'real' THEN 'r' || \"$c\"
           WHEN 'text' THEN 't' || replace(\"$c\", char(10), ' ') WHEN 'blob' THEN 'b' || hex(\"$c\") ELSE 'n' END
         FROM \"$table\" LIMIT 4"
    done
  } >"$seeds/db_rows/$table"
done

# Formats: the module's own format texts, with the demo's file names as string arguments.
mapfile -t names < <(q "SELECT name FROM T_StoredFile ORDER BY OBJ_ID LIMIT 8")
i=0
grep -rhoE 'L"[^"]*%[^"]*"' "$root/VuverIverIzizerOzi" | sort -u | sed -e 's/^L"//' -e 's/"$//' |
  while IFS= read -r format; do
    printf '%s\n%b' "${names[$((i % ${#names[@]}))]}" "$format" >"$seeds/wide_format/module-$i"
    i=$((i + 1))
  done

# Statement shapes: the module's texts with the demo's first document, drawing and revision ids,
# and texts on the harness's own table that put literals in every kind of place.
ids=$(q "SELECT (SELECT MIN(OBJ_ID) FROM T_document) || ' ' || (SELECT MIN(OBJ_ID) FROM T_drawing) || ' ' ||
  (SELECT MIN(Rev_id) FROM T_DocumentSignature)")
read -r document drawing revision <<<"$ids"
i=0
grep -v '^#' "$root/tests/support/data/expected_sql.txt" | cut -d= -f2- | sort -u |
  sed -e "s/= 4711/= ${document:-1}/g; s/= 88\b/= ${revision:-1}/g; s/\(T_drawing.OBJ_ID\) = [0-9]*/\1 = ${drawing:-1}/" |
  while IFS= read -r text; do
    printf '%s' "$text" >"$seeds/statement_shape/module-$i"
    i=$((i + 1))
  done
i=0
while IFS= read -r text; do
  printf '%s' "$text" >"$seeds/statement_shape/table-$i"
  i=$((i + 1))
done <<'SQL'
SELECT id, name FROM T WHERE kind = 'pdf' AND id <> 0 ORDER BY 1
SELECT 'x', n + 1, (SELECT name FROM T WHERE id = 1) FROM T WHERE n = '7'
SELECT * FROM (SELECT id, 'k' AS k FROM T WHERE id > 1) WHERE k = 'k' AND b IS NOT 3
SELECT id FROM T WHERE name LIKE 'b%' ESCAPE '\' OR name = 'a''s' COLLATE NOCASE
SELECT kind, COUNT(*), SUM(r) FROM T GROUP BY kind HAVING COUNT(*) > 1 ORDER BY 2 DESC LIMIT 2
SELECT T.id FROM T JOIN T AS U ON U.id = T.id + 1 AND U.kind = 'dwg' WHERE T.n / 2 = 3
SELECT id FROM T WHERE id IN (1, 3, 5) AND CASE WHEN r = 0.5 THEN 'a' ELSE 'b' END = 'a'
SELECT id, typeof(n) FROM T WHERE id IN 'T' OR 'T'.id = 4 OR n = 9223372036854775807
SQL
