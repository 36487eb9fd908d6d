#!/usr/bin/env bash
# Runs the Khronos glTF validator over the glTF export of the bundled sample
# (or over the .glb files given) and fails on any error. Needs node and npm;
# the validator is installed once into build/gltf-validator/.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v node >/dev/null && command -v npm >/dev/null || { echo "node and npm are needed" >&2; exit 2; }
tool=build/gltf-validator
if [[ ! -d "$tool/node_modules/gltf-validator" ]]; then
  mkdir -p "$tool"
  npm install --silent --no-audit --no-fund --prefix "$tool" gltf-validator >/dev/null
fi
files=("$@")
if [[ ${#files[@]} -eq 0 ]]; then
  [[ -x build/bin/objetos3d-cli ]] || ./scripts/build.sh
  build/bin/objetos3d-cli export build/bin/Vist3D/sample.zobj3d build/sample.glb
  files=(build/sample.glb)
fi
status=0
for f in "${files[@]}"; do
  NODE_PATH="$tool/node_modules" node -e '
    const fs = require("fs");
    const validator = require("gltf-validator");
    const file = process.argv[1];
    validator.validateBytes(new Uint8Array(fs.readFileSync(file)))
      .then((report) => {
        const i = report.issues;
        console.log(`${file}: ${i.numErrors} errors, ${i.numWarnings} warnings, ${i.numInfos} infos, ${i.numHints} hints`);
        for (const m of i.messages) if (m.severity <= 1) console.log(`  ${m.code} ${m.pointer || ""}: ${m.message}`);
        process.exit(i.numErrors > 0 ? 1 : 0);
      })
      .catch((e) => { console.error(`${file}: ${e}`); process.exit(1); });
  ' "$f" || status=1
done
exit $status
