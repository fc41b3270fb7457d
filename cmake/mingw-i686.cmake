# Cross-compiling for 32-bit Windows with mingw-w64. There is no 32-bit Wine
# here, so this build is compiled and linked, and its exports inspected.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TOLLIVOR_TRIPLE i686-w64-mingw32)
set(TOLLIVOR_WIDL_MODE -m32)
set(CMAKE_C_COMPILER ${TOLLIVOR_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TOLLIVOR_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TOLLIVOR_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TOLLIVOR_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
