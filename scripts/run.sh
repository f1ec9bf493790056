#!/usr/bin/env bash
# Builds Quorvel (Release) into build/ and starts it on a demo database in demo/.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DQUORVEL_SANITIZE=OFF
cmake --build build -j2

# The application never creates a database, so the demo folder gets one made by the tool.
mkdir -p demo
if [ ! -e demo/pexlyacc.mdb ]; then
  build/tools/quorvel-db demo demo/pexlyacc.mdb
fi

app=build/app/quorvel
if [ ! -x "$app" ]; then
  echo "The demo database is ready: demo/pexlyacc.mdb. The application ($app) is not built yet; it comes next."
  exit 0
fi

cd demo
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "../$app"
elif command -v xvfb-run >/dev/null; then
  echo "No DISPLAY: starting Quorvel under xvfb-run on a virtual screen."
  exec xvfb-run -a "../$app"
else
  echo "No DISPLAY and no xvfb-run: starting Quorvel with Qt's offscreen platform."
  QT_QPA_PLATFORM=offscreen exec "../$app"
fi
