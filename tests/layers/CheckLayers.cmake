cmake_minimum_required(VERSION 3.25)
# Fails when a folder includes a header of a folder above it: the layers
# point one way only (see docs/ARCHITECTURE.md).
#   cmake -DSOURCE_DIR=<repo> -P CheckLayers.cmake
set(allowed_common "common")
set(allowed_document "common;document")
set(allowed_scriptrt "common;scriptrt")
set(allowed_image "common;image")
# The view and the exports know each other only through the canvas
# (document/Canvas.h): neither includes the other.
set(allowed_export "common;document;image;export")
set(allowed_gl "common;document;image;gl")
set(allowed_output "common;document;image;export;gl;output")
set(allowed_controls "common;controls")

set(violations "")
foreach(folder common document scriptrt image export gl output controls)
  file(GLOB_RECURSE sources "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.cpp")
  foreach(source IN LISTS sources)
    file(RELATIVE_PATH where "${SOURCE_DIR}" "${source}")
    set(allowed ${allowed_${folder}})
    file(STRINGS "${source}" includes REGEX "^#include \"[a-z]+/")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^#include \"([a-z]+)/.*" "\\1" target "${line}")
      if(NOT target IN_LIST allowed)
        list(APPEND violations "${where}: ${line}")
      endif()
    endforeach()
    # The exports draw nothing and pictures are decoded and written without
    # OpenGL: no OpenGL, EGL or Qt OpenGL header in either.
    if(folder STREQUAL "export" OR folder STREQUAL "image")
      file(STRINGS "${source}" gl_includes REGEX "^#include <(GL/|EGL/|GLES|KHR/|QOpenGL|qopengl)")
      foreach(line IN LISTS gl_includes)
        list(APPEND violations "${where}: ${line} (an OpenGL header in ${folder}/)")
      endforeach()
    endif()
    # Widgets belong to controls/ and app/ alone.
    file(STRINGS "${source}" widget_includes
         REGEX "^#include <(QtWidgets|QWidget|QApplication|QDialog|QMainWindow|QMessageBox|QOpenGLWidget|Q[A-Za-z]*Widget>)")
    if(NOT folder STREQUAL "controls")
      foreach(line IN LISTS widget_includes)
        list(APPEND violations "${where}: ${line} (a widget below controls/)")
      endforeach()
    endif()
  endforeach()
endforeach()

# The view's library links no export: an export is wired into the drawing
# from above both.
file(READ "${SOURCE_DIR}/gl/CMakeLists.txt" gl_build)
string(REGEX MATCH "target_link_libraries\\(obj3d_gl [^)]*\\)" gl_links "${gl_build}")
if(gl_links MATCHES "export")
  list(APPEND violations "gl/CMakeLists.txt: obj3d_gl links an export (${gl_links})")
endif()

if(violations)
  list(JOIN violations "\n  " text)
  message(FATAL_ERROR "includes against the layers:\n  ${text}")
endif()
message(STATUS "layers: every include points downwards")
