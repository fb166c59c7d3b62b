# Cross toolchain for Windows x86-64: Debian's mingw-w64 (posix threads, which std::thread and
# Qt need) and the Qt that scripts/qt-windows builds.
#   cmake -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
#         -DSWATCHLY_QT_WINDOWS="$(scripts/qt-windows | tail -n1)"
# CMAKE_PREFIX_PATH or the SWATCHLY_QT_WINDOWS environment variable work as well.
#
# Tests run under wine64 (ctest goes through CMAKE_CROSSCOMPILING_EMULATOR). Give them
# WINEPREFIX (a prefix made once with `wineboot -i`; otherwise the first test makes ~/.wine
# and pays for it), WINEDEBUG=-all (or wine's fixme lines fill the test output) and
# QT_QPA_PLATFORM=offscreen where no window may appear. WINEPATH is needed only with a
# shared Qt, for its bin/ and the compiler's runtime DLLs.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(_swatchly_triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${_swatchly_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_swatchly_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${_swatchly_triple}-windres)

# Try-compile projects read this file again without the cache: hand the Qt location on.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES SWATCHLY_QT_WINDOWS)
if(NOT SWATCHLY_QT_WINDOWS AND DEFINED ENV{SWATCHLY_QT_WINDOWS})
  set(SWATCHLY_QT_WINDOWS "$ENV{SWATCHLY_QT_WINDOWS}")
endif()
if(SWATCHLY_QT_WINDOWS)
  list(APPEND CMAKE_PREFIX_PATH "${SWATCHLY_QT_WINDOWS}")
endif()

# Libraries, headers and packages come only from the mingw sysroot and the Windows Qt, never
# from the host; programs (moc, rcc, uic of the host Qt) only from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${_swatchly_triple} ${CMAKE_PREFIX_PATH})
list(REMOVE_DUPLICATES CMAKE_FIND_ROOT_PATH)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The Windows Qt's tools are the host's: Debian's qt6-base-dev-tools of the same version.
set(QT_HOST_PATH /usr CACHE PATH "Host Qt for moc, rcc and uic")
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH "Host Qt's CMake packages")

# libgcc, libstdc++ and winpthread linked in, so an .exe needs no DLL beside it. Every other
# library here is a static archive or an import library of a Windows system DLL.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")

find_program(SWATCHLY_WINE64 NAMES wine64 PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(SWATCHLY_WINE64)
  set(CMAKE_CROSSCOMPILING_EMULATOR "${SWATCHLY_WINE64}")
endif()
