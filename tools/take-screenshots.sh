#!/bin/sh
# Takes the README pictures of the real window under a virtual X server.
# Run from the top of the source tree after building into build/:
#     tools/take-screenshots.sh [BUILD_DIR [OUT_DIR]]
# Needs xvfb-run (xvfb, xauth), which the set-up script installs.
set -eu

build="${1:-build}"
out="${2:-docs}"
shots="$build/bin/window-shots"
[ -x "$shots" ] || { echo "take-screenshots: build $shots first" >&2; exit 1; }
mkdir -p "$out"

# The screen is the window's size, so the window fills it and the pop-up
# rises inside the window's corner instead of over an empty desktop.
# The program keeps its language choice in the user's settings; pictures are
# taken with a private, empty settings folder.
config="$(mktemp -d)"
trap 'rm -rf "$config"' EXIT

shoot() { # NAME SETTINGS...
    name="$1"
    shift
    XDG_CONFIG_HOME="$config" QT_QPA_PLATFORM=xcb \
        xvfb-run -a -s "-screen 0 1354x720x24 -dpi 96" "$shots" "$out/$name.png" "$@"
    echo "$out/$name.png"
}

shoot scenario-person --set m_comboModel=0
shoot scenario-lanes --set m_comboModel=1 --set m_spinBoxLanesNum=2 \
    --set m_dSpinBoxFocalLength=8 --set m_spinBoxPitchAngle=15 --set m_dSpinBoxIpcHeight=4 \
    --set m_spinBoxMinPixels=100 --set m_spinBoxMaxPixels=200
shoot scenario-capture --set m_comboModel=2 --set m_dSpinBoxCaptureDistanceValue=12 \
    --set m_dSpinBoxFocalLength=8 --set m_spinBoxPitchAngle=15 --set m_dSpinBoxIpcHeight=6
# Roadside mount: the inset shows the horizontal angle as well as the pitch.
shoot horizontal-mount --set m_comboModel=1 --set m_comboInstallModel=1 \
    --set m_spinBoxHorizontalAngle=15 --set m_dSpinBoxFocalLength=8 \
    --set m_spinBoxPitchAngle=15 --set m_dSpinBoxIpcHeight=4 --set m_spinBoxMinPixels=100
# A report page as the export writes it.
report="$config/report.pdf"
shoot report-window --set m_comboModel=1 --set m_spinBoxLanesNum=2 \
    --set m_dSpinBoxFocalLength=8 --set m_spinBoxPitchAngle=15 --set m_dSpinBoxIpcHeight=4 \
    --set m_spinBoxMinPixels=100 --set m_spinBoxMaxPixels=200 --export "$report" >/dev/null
rm -f "$out/report-window.png"
pdftoppm -png -r 60 -singlefile "$report" "$out/report"
echo "$out/report.png"
# A pole lower than the person: no detection band, and the notice says why.
shoot error --set m_comboModel=0 --set m_dSpinBoxIpcHeight=1.5
