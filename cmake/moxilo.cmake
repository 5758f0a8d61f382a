# Build rules shared by every folder.

option(MOXILO_WERROR "Treat compiler warnings as errors" ON)

# Warnings for the project's own code.
function(moxilo_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Wno-missing-field-initializers)
  if(MOXILO_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# The program's texts are GBK: sources stay readable UTF-8 and the compiler
# writes every narrow literal in GBK. (clang has no such option; the fuzz build
# only compiles code without Chinese texts.)
function(moxilo_gbk target)
  target_compile_options(${target} PRIVATE -finput-charset=UTF-8 -fexec-charset=GBK)
endfunction()

# Collects the sources of a folder tree: <out>_PORTABLE gets every .cpp that is
# not a *_win.cpp, <out>_WIN every *_win.cpp. EXCLUDE drops subfolders.
function(moxilo_collect dir out)
  cmake_parse_arguments(arg "" "" "EXCLUDE" ${ARGN})
  file(GLOB_RECURSE all CONFIGURE_DEPENDS ${dir}/*.cpp)
  set(portable)
  set(win)
  foreach(f ${all})
    set(skip OFF)
    foreach(ex ${arg_EXCLUDE})
      string(FIND "${f}" "${dir}/${ex}/" pos)
      if(pos EQUAL 0)
        set(skip ON)
      endif()
    endforeach()
    if(skip)
      continue()
    endif()
    if(f MATCHES "_win\\.cpp$")
      list(APPEND win ${f})
    else()
      list(APPEND portable ${f})
    endif()
  endforeach()
  set(${out}_PORTABLE ${portable} PARENT_SCOPE)
  set(${out}_WIN ${win} PARENT_SCOPE)
endfunction()

# A static library of the given sources, or an interface library when there are
# none yet, so that dependants link either way.
function(moxilo_library name)
  cmake_parse_arguments(arg "GBK" "" "SOURCES;LINK" ${ARGN})
  if(arg_SOURCES)
    add_library(${name} STATIC ${arg_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${arg_LINK})
    moxilo_warnings(${name})
    if(arg_GBK)
      moxilo_gbk(${name})
    endif()
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${arg_LINK})
  endif()
endfunction()
