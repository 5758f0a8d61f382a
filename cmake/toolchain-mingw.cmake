# Shared part of the mingw-w64 toolchains; the including file sets MOXILO_MINGW_TRIPLE
# and CMAKE_SYSTEM_PROCESSOR.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${MOXILO_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MOXILO_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${MOXILO_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${MOXILO_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Everything links the C and C++ runtimes and winpthread statically, so the
# program and the test binaries need nothing but system DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
