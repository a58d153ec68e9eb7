# Cross-building the Windows player with mingw-w64 (posix thread model: std::mutex needs it).
# PLAYER_WIN_PREFIX names the folder where tools/build-windows installed SDL2, SDL2_image,
# libpng and GoogleTest.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLE} ${PLAYER_WIN_PREFIX})
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES PLAYER_WIN_PREFIX)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# CTest starts every test executable through Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
