# Cross-compiling for 64-bit Windows with Debian's MinGW-w64.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VELMORA_MINGW_PREFIX x86_64-w64-mingw32)

# The POSIX thread model: the default (win32) variant of GCC 12 has no
# std::thread or std::mutex.
set(CMAKE_C_COMPILER ${VELMORA_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VELMORA_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${VELMORA_MINGW_PREFIX}-windres)

# Libraries cross-built here (libjpeg) are found under VELMORA_MINGW_SYSROOT.
set(CMAKE_FIND_ROOT_PATH /usr/${VELMORA_MINGW_PREFIX})
if(VELMORA_MINGW_SYSROOT)
  list(APPEND CMAKE_FIND_ROOT_PATH ${VELMORA_MINGW_SYSROOT})
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VELMORA_MINGW_SYSROOT)
# pkg-config reads the sysroot's .pc files (libwebp), never the build machine's.
if(VELMORA_MINGW_SYSROOT)
  set(ENV{PKG_CONFIG_LIBDIR} ${VELMORA_MINGW_SYSROOT}/lib/pkgconfig:/usr/${VELMORA_MINGW_PREFIX}/lib/pkgconfig)
else()
  set(ENV{PKG_CONFIG_LIBDIR} /usr/${VELMORA_MINGW_PREFIX}/lib/pkgconfig)
endif()
set(ENV{PKG_CONFIG_PATH} "")
# Debian's MinGW zlib has a DLL too: the programs link the static one.
set(ZLIB_USE_STATIC_LIBS ON)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Programs that need no MinGW DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# CTest runs the programs through wine.
find_program(VELMORA_WINE NAMES wine wine64)
if(VELMORA_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${VELMORA_WINE})
endif()
