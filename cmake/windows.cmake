# The Windows build (cross-built with cmake/mingw-w64.cmake): SDL2, SDL2_image and libpng
# static from the prefix tools/build-windows fills, found through their CMake configs.

# <windows.h> would otherwise define min, max, near and far as macros; the math constants
# (M_PI) come with the C library's header as they do with glibc's.
add_compile_definitions(NOMINMAX WIN32_LEAN_AND_MEAN _USE_MATH_DEFINES)
# The executable and the component each carry their own C and C++ runtime, so they need only
# system DLLs (and the executable ox_core.dll).
add_link_options(-static-libgcc -static-libstdc++
  -Wl,-Bstatic,--whole-archive -lwinpthread -Wl,--no-whole-archive,-Bdynamic)

set(MINGW_ZLIB /usr/x86_64-w64-mingw32/lib/libz.a)
find_package(SDL2 REQUIRED CONFIG)
# SDL2_image's config asks for a JPEG package that its built-in decoders do not use, and
# CMake's zlib search would pick the DLL over the static library.
add_library(JPEG::JPEG INTERFACE IMPORTED)
set(ZLIB_LIBRARY_RELEASE ${MINGW_ZLIB} CACHE FILEPATH "static zlib for libpng")
set(ZLIB_LIBRARY ${MINGW_ZLIB} CACHE FILEPATH "static zlib for libpng")
find_package(SDL2_image REQUIRED CONFIG)
find_package(PNG REQUIRED)
find_package(OpenGL REQUIRED)
set(PLAYER_DEPENDENCIES SDL2::SDL2-static SDL2_image::SDL2_image-static PNG::PNG OpenGL::GL
  ole32 oleaut32 uuid gdi32 user32 shell32)

# The window icon as an .ico, made from our icon at build time.
set(PLAYER_ICO ${CMAKE_BINARY_DIR}/player.ico)
add_custom_command(OUTPUT ${PLAYER_ICO}
  COMMAND python3 ${CMAKE_SOURCE_DIR}/tools/make_ico.py ${PLAYER_ICO}
  DEPENDS ${CMAKE_SOURCE_DIR}/tools/make_ico.py ${CMAKE_SOURCE_DIR}/tools/make_icon.py)
add_custom_target(player_ico DEPENDS ${PLAYER_ICO})
set_source_files_properties(${CMAKE_SOURCE_DIR}/app/player.rc PROPERTIES
  OBJECT_DEPENDS "${PLAYER_ICO};${CMAKE_SOURCE_DIR}/app/player.manifest")

# player_windows_resources(TARGET): compiles the icon resource and the manifest into TARGET.
function(player_windows_resources target)
  target_sources(${target} PRIVATE ${CMAKE_SOURCE_DIR}/app/player.rc)
  add_dependencies(${target} player_ico)
  set_property(SOURCE ${CMAKE_SOURCE_DIR}/app/player.rc TARGET_DIRECTORY ${target} APPEND PROPERTY
    INCLUDE_DIRECTORIES ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR})
endfunction()

# player_windows_executable(TARGET): a GUI program entered through SDL2main, with resources.
function(player_windows_executable target)
  set_target_properties(${target} PROPERTIES WIN32_EXECUTABLE ON)
  target_link_libraries(${target} PRIVATE SDL2::SDL2main)
  player_windows_resources(${target})
endfunction()
