# zlib and libpng for the Windows build, compiled statically from Debian's source
# packages (unpacked by scripts/fetch-sources.sh), and GoogleTest from /usr/src.
set(THIRD_PARTY_DIR ${CMAKE_SOURCE_DIR}/.third_party CACHE PATH "Unpacked Debian source packages")

file(GLOB zlib_source_dir LIST_DIRECTORIES true ${THIRD_PARTY_DIR}/zlib-*)
file(GLOB libpng_source_dir LIST_DIRECTORIES true ${THIRD_PARTY_DIR}/libpng1.6-*)
if(NOT zlib_source_dir OR NOT libpng_source_dir)
  message(FATAL_ERROR "zlib/libpng sources missing in ${THIRD_PARTY_DIR}: run scripts/fetch-sources.sh")
endif()

set(zlib_files adler32 compress crc32 deflate infback inffast inflate inftrees trees uncompr zutil)
list(TRANSFORM zlib_files PREPEND ${zlib_source_dir}/)
list(TRANSFORM zlib_files APPEND .c)
add_library(zlib_static STATIC ${zlib_files})
target_include_directories(zlib_static SYSTEM PUBLIC ${zlib_source_dir})
target_compile_options(zlib_static PRIVATE -w)
add_library(ZLIB::ZLIB ALIAS zlib_static)

set(png_files png pngerror pngget pngmem pngpread pngread pngrio pngrtran pngrutil pngset
    pngtrans pngwio pngwrite pngwtran pngwutil)
list(TRANSFORM png_files PREPEND ${libpng_source_dir}/)
list(TRANSFORM png_files APPEND .c)
set(png_config_dir ${CMAKE_BINARY_DIR}/third_party/libpng)
configure_file(${libpng_source_dir}/scripts/pnglibconf.h.prebuilt ${png_config_dir}/pnglibconf.h COPYONLY)
add_library(png_static STATIC ${png_files})
target_include_directories(png_static SYSTEM PUBLIC ${libpng_source_dir} ${png_config_dir})
target_compile_definitions(png_static PRIVATE PNG_ARM_NEON_OPT=0 PNG_INTEL_SSE_OPT=0)
target_compile_options(png_static PRIVATE -w)
target_link_libraries(png_static PUBLIC zlib_static)
add_library(PNG::PNG ALIAS png_static)

set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/third_party/googletest EXCLUDE_FROM_ALL)
if(NOT TARGET GTest::gtest)
  add_library(GTest::gtest ALIAS gtest)
  add_library(GTest::gtest_main ALIAS gtest_main)
  add_library(GTest::gmock ALIAS gmock)
endif()
