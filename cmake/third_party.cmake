# JPEG and GIF libraries. Native builds use the system's packages (Debian's,
# or MSYS2's on Windows); the Windows
# builds compile Debian's source packages, which tools/bootstrap.sh unpacks into
# MOXILO_DEPS_CACHE. Both give the targets moxilo::jpeg and moxilo::gif.
set(MOXILO_DEPS_CACHE "$ENV{MOXILO_DEPS_CACHE}" CACHE PATH "Unpacked Debian source packages")
if(NOT MOXILO_DEPS_CACHE)
  set(MOXILO_DEPS_CACHE /var/cache/moxilo-deps CACHE PATH "" FORCE)
endif()

if(NOT CMAKE_CROSSCOMPILING)
  find_package(JPEG REQUIRED)
  find_library(GIF_LIBRARY gif REQUIRED)
  find_path(GIF_INCLUDE_DIR gif_lib.h REQUIRED)
  add_library(moxilo::jpeg ALIAS JPEG::JPEG)
  add_library(moxilo_gif INTERFACE)
  target_link_libraries(moxilo_gif INTERFACE ${GIF_LIBRARY})
  target_include_directories(moxilo_gif INTERFACE ${GIF_INCLUDE_DIR})
  add_library(moxilo::gif ALIAS moxilo_gif)
  return()
endif()

foreach(package libjpeg-turbo giflib)
  if(NOT EXISTS "${MOXILO_DEPS_CACHE}/${package}/.ready")
    message(FATAL_ERROR "${package} sources missing in ${MOXILO_DEPS_CACHE}: run tools/bootstrap.sh")
  endif()
endforeach()

# libjpeg-turbo: static, with its SIMD code (nasm), 6b API.
include(ExternalProject)
set(jpeg_prefix ${CMAKE_BINARY_DIR}/third_party/jpeg)
ExternalProject_Add(libjpeg_turbo_build
  SOURCE_DIR ${MOXILO_DEPS_CACHE}/libjpeg-turbo
  BINARY_DIR ${jpeg_prefix}/build
  INSTALL_DIR ${jpeg_prefix}
  CMAKE_ARGS
    -G Ninja
    -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE}
    -DCMAKE_BUILD_TYPE=Release
    -DCMAKE_INSTALL_PREFIX=<INSTALL_DIR>
    -DCMAKE_INSTALL_LIBDIR=<INSTALL_DIR>/lib
    -DCMAKE_INSTALL_INCLUDEDIR=<INSTALL_DIR>/include
    -DENABLE_SHARED=OFF
    -DENABLE_STATIC=ON
    -DWITH_TURBOJPEG=OFF
    -DREQUIRE_SIMD=ON
    -DCMAKE_ASM_NASM_COMPILER=nasm
  BUILD_BYPRODUCTS ${jpeg_prefix}/lib/libjpeg.a
  USES_TERMINAL_BUILD OFF)
file(MAKE_DIRECTORY ${jpeg_prefix}/include)
add_library(moxilo_jpeg STATIC IMPORTED GLOBAL)
set_target_properties(moxilo_jpeg PROPERTIES
  IMPORTED_LOCATION ${jpeg_prefix}/lib/libjpeg.a
  INTERFACE_INCLUDE_DIRECTORIES ${jpeg_prefix}/include)
add_dependencies(moxilo_jpeg libjpeg_turbo_build)
add_library(moxilo::jpeg ALIAS moxilo_jpeg)

# giflib: its decoding half compiled straight from the source package.
set(gif_src ${MOXILO_DEPS_CACHE}/giflib)
add_library(moxilo_gif STATIC
  ${gif_src}/dgif_lib.c ${gif_src}/gif_err.c ${gif_src}/gif_hash.c
  ${gif_src}/gifalloc.c ${gif_src}/openbsd-reallocarray.c)
target_include_directories(moxilo_gif SYSTEM PUBLIC ${gif_src})
target_compile_options(moxilo_gif PRIVATE -w)
add_library(moxilo::gif ALIAS moxilo_gif)
