#!/usr/bin/env bash
# Installs the build into a temporary root and checks what a desktop gets:
#   check_install.sh BUILD_DIR install VERSION   cmake --install with DESTDIR
#   check_install.sh BUILD_DIR deb VERSION       cpack's .deb, unpacked with dpkg -x,
#                                                and lintian on it
# The installed batch tool must find its data through share/objetos3d, the
# thumbnailer's command line must produce a picture, and the desktop files
# must pass the validators that are installed; the library, manual pages,
# completion and the programs' --help and --version are checked too.
set -euo pipefail
build=$(cd "$1" && pwd)
mode=$2
version=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
root="$work/root"
fail() { echo "FAIL: $*" >&2; exit 1; }

case "$mode" in
  install)
    DESTDIR="$root" cmake --install "$build" --prefix /usr >/dev/null
    ;;
  deb)
    (cd "$build" && cpack -G DEB -B "$work/pkg" >/dev/null) || fail "cpack"
    # Split as a distribution splits them: the programs, the versioned
    # library, its development files.
    names=$(for d in "$work"/pkg/*.deb; do dpkg-deb -f "$d" Package; done | sort | tr '\n' ' ')
    [[ "$names" == "libzemoscript-dev libzemoscript1 objetos3d " ]] || fail "packages: $names"
    deb() { ls "$work"/pkg/"$1"_*.deb; }
    for d in "$work"/pkg/*.deb; do dpkg-deb -x "$d" "$root"; done
    depends=$(dpkg-deb -f "$(deb objetos3d)" Depends)
    echo "Depends: $depends"
    # Found by dpkg-shlibdeps from the programs, not written by hand.
    for lib in libc6 libqt6gui6 libjpeg62-turbo libglu1-mesa "libzemoscript1 (= $version)" qt6-translations-l10n; do
      [[ "$depends" == *"$lib"* ]] || fail "Depends lacks $lib"
    done
    [[ "$(dpkg-deb -f "$(deb libzemoscript-dev)" Depends)" == *"libzemoscript1 (= $version)"* ]] || fail "-dev Depends"
    # The library package holds the versioned library, the -dev package the link.
    library=$(dpkg-deb -c "$(deb libzemoscript1)")
    development=$(dpkg-deb -c "$(deb libzemoscript-dev)")
    grep -q 'libzemoscript\.so\.1\.0\.0$' <<<"$library" || fail "libzemoscript1 lacks the library"
    ! grep -q 'libzemoscript\.so ->' <<<"$library" || fail "the link is in libzemoscript1"
    grep -q 'libzemoscript\.so -> libzemoscript\.so\.1' <<<"$development" || fail "-dev lacks the link"
    # No error, no warning, and no hardening tag even among the notes.
    if [[ -n "${OBJ3D_SANITIZED_BUILD:-}" ]]; then
      echo "sanitizer build: lintian skipped"
    elif command -v lintian >/dev/null; then
      report=$(lintian -I "$work"/pkg/*.deb 2>&1) || true
      echo "$report"
      ! grep -Eq '^[EW]: ' <<<"$report" || fail "lintian errors or warnings"
      ! grep -q 'hardening-' <<<"$report" || fail "lintian: binaries not hardened"
    else
      echo "lintian is not installed (scripts/install-deps.sh installs it)" >&2
      exit 1
    fi
    for d in "$work"/pkg/*.deb; do
      control=$(dpkg-deb --ctrl-tarfile "$d" | tar -t)
      [[ "$control" != *postinst* && "$control" != *postrm* ]] || fail "maintainer scripts in $d"
    done
    dpkg-deb -I "$(deb libzemoscript1)" triggers | grep -qx 'activate-noawait ldconfig' || fail "no ldconfig trigger"
    ;;
  *) fail "unknown mode $mode" ;;
esac

usr="$root/usr"
for f in bin/objetos3d bin/objetos3d-cli share/doc/objetos3d/README.md \
         share/objetos3d/Vist3D/sample.zobj3d share/objetos3d/Vist3D/TEX/texture1.jpeg \
         share/applications/org.objetos3d.Objetos3D.desktop \
         share/metainfo/org.objetos3d.Objetos3D.metainfo.xml \
         share/thumbnailers/objetos3d.thumbnailer share/mime/packages/objetos3d.xml \
         share/icons/hicolor/scalable/apps/org.objetos3d.Objetos3D.svg; do
  [[ -f "$usr/$f" ]] || fail "missing $f"
done
for size in 16 22 24 32 48 64 128 256; do
  png="$usr/share/icons/hicolor/${size}x${size}/apps/org.objetos3d.Objetos3D.png"
  [[ -f "$png" ]] || fail "missing icon $size"
  file "$png" | grep -q "$size x $size" || fail "icon $size has the wrong size"
done
ls "$usr"/lib*/libzemoscript.so* >/dev/null 2>&1 || ls "$usr"/lib/*/libzemoscript.so* >/dev/null || fail "missing libzemoscript.so"
[[ ! -e "$usr/bin/Vist3D" ]] || fail "data beside the installed programs"

# The editor's script library resolves from the installed program.
if ldd "$usr/bin/objetos3d" | grep -q "libzemoscript.so => not found"; then fail "libzemoscript.so not found"; fi

# The installed batch tool reads the sample's textures from share/objetos3d.
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_CACHE_HOME="$work/home/.cache"
mkdir -p "$HOME"
unset DISPLAY
"$usr/bin/objetos3d-cli" export "$usr/share/objetos3d/Vist3D/sample.zobj3d" "$work/sample.glb"
grep -aq '"mimeType":"image/' "$work/sample.glb" || fail "the installed tool embedded no texture"

# The thumbnailer entry's own command line, as a file manager runs it.
exec_line=$(sed -n 's/^Exec=//p' "$usr/share/thumbnailers/objetos3d.thumbnailer")
command=${exec_line//%i/$usr/share/objetos3d/Vist3D/sample.zobj3d}
command=${command//%o/$work/thumb.png}
command=${command//%s/128}
PATH="$usr/bin:$PATH" eval "$command"
file "$work/thumb.png" | grep -q "PNG image data, 128 x 128" || fail "no 128-pixel thumbnail"

# The MIME package: glob and magic reach the database.
update-mime-database "$usr/share/mime" 2>/dev/null || fail "update-mime-database"
grep -q 'application/x-zobj3d:\*\.zobj3d' "$usr/share/mime/globs2" || fail "no glob"
grep -aq 'ZObjeto3D' "$usr/share/mime/magic" || fail "no magic"
grep -q '^MimeType=application/x-zobj3d;' "$usr/share/applications/org.objetos3d.Objetos3D.desktop" || fail "desktop MimeType"

if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$usr/share/applications/org.objetos3d.Objetos3D.desktop" || fail "desktop-file-validate"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$usr/share/metainfo/org.objetos3d.Objetos3D.metainfo.xml" >/dev/null ||
    fail "appstreamcli validate"
fi
# The script library: versioned, found by name, and usable from C through its
# header and pkg-config file.
libdir=$(dirname "$(ls "$usr"/lib/*/libzemoscript.so.1.0.0)")
objdump -p "$libdir/libzemoscript.so.1.0.0" | grep -Eq 'SONAME +libzemoscript\.so\.1$' || fail "SONAME"
[[ "$(readlink "$libdir/libzemoscript.so.1")" == libzemoscript.so.1.0.0 ]] || fail "libzemoscript.so.1 link"
[[ "$(readlink "$libdir/libzemoscript.so")" == libzemoscript.so.1 ]] || fail "libzemoscript.so link"
if [[ -z "${OBJ3D_SANITIZED_BUILD:-}" ]]; then
cat >"$work/host.c" <<'HOST'
#include <dlfcn.h>
#include <stdio.h>
#include <libzemoscript.h>
int main(void) {
  void* byName = dlopen("libzemoscript.so", RTLD_NOW);
  double (*fromInt)(int32_t) = byName ? (double (*)(int32_t))dlsym(byName, "zemoIntDbl") : 0;
  if (!fromInt) { fprintf(stderr, "%s\n", dlerror()); return 1; }
  return fromInt(7) == 7.0 && zemoIntDbl(5) == 5.0 && zemoDblInt(2.5) == 2 ? 0 : 1;
}
HOST
flags=$(PKG_CONFIG_PATH="$libdir/pkgconfig" pkg-config --cflags --libs libzemoscript) || fail "pkg-config"
cc -std=c99 -Wall -Werror "$work/host.c" -o "$work/host" $flags -ldl || fail "a C host does not build with pkg-config"
LD_LIBRARY_PATH="$libdir" "$work/host" || fail "a C host cannot use the library by name"
fi

# Manual pages render without warnings; completion knows the commands.
for page in objetos3d objetos3d-cli; do
  man="$usr/share/man/man1/$page.1.gz"
  [[ -f "$man" ]] || fail "missing manual page $page"
  warnings=$(zcat "$man" | groff -ww -z -man 2>&1) && [[ -z "$warnings" ]] || fail "groff on $page: $warnings"
done
completion="$usr/share/bash-completion/completions/objetos3d-cli"
if [[ -f /usr/share/bash-completion/bash_completion ]]; then
  mkdir -p "$work/docs" && touch "$work/docs/a.zobj3d" "$work/docs/b.txt"
  words=$(cd "$work/docs" && bash -c '. /usr/share/bash-completion/bash_completion; . "$1"
    show() { COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); COMP_LINE="$*"; COMP_POINT=${#COMP_LINE}
             _objetos3d_cli; echo "${COMPREPLY[*]}"; }
    show objetos3d-cli th; show objetos3d-cli export ""; show objetos3d-cli export a.zobj3d --v' _ "$completion")
  [[ "$words" == $'thumbnail\na.zobj3d\n--view' ]] || fail "completion gave: $words"
else
  bash -n "$completion" || fail "completion syntax"
fi

# The programs introduce themselves without a display; the editor refuses
# to start without one in one line.
for program in objetos3d objetos3d-cli; do
  [[ "$(env -u DISPLAY -u WAYLAND_DISPLAY "$usr/bin/$program" --version)" == "objetos3d $version" ]] ||
    fail "$program --version"
  env -u DISPLAY -u WAYLAND_DISPLAY "$usr/bin/$program" --help | grep -q '^usage: ' || fail "$program --help"
done
env -u DISPLAY -u WAYLAND_DISPLAY "$usr/bin/objetos3d" --help | grep -q -- '--language pt|en' || fail "usage lacks --language"
status=0
message=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$usr/bin/objetos3d" "$work/none.zobj3d" 2>&1) || status=$?
[[ $status -eq 2 && "$message" == *"graphical session"*objetos3d-cli* && $(wc -l <<<"$message") -eq 1 ]] ||
  fail "without a display: status $status, $message"

echo "ok: $mode"
