# Delay-loaded system DLLs for 64-bit MinGW builds.
#
# vastrel_delay_load(<target> <dll>...) links the target against a delay-load import library
# of each DLL, made at configure time from the toolchain's import library (every __imp_
# symbol becomes an export of the .def given to dlltool). The loader then maps the DLL at
# the first call into it instead of at process start: the program's start-up does not pay
# for DLLs it needs only later (the update check, the chime, the scan ticks).
# The delay library comes before the plain import library on the link line, so it supplies
# every function; where the tools are missing the target keeps the plain imports.
function(vastrel_delay_load target)
  if(NOT MINGW OR NOT CMAKE_SIZEOF_VOID_P EQUAL 8 OR NOT CMAKE_DLLTOOL OR NOT CMAKE_NM)
    return()
  endif()
  foreach(dll IN LISTS ARGN)
    find_library(VASTREL_IMPORT_LIBRARY_${dll} NAMES ${dll})
    set(import_library "${VASTREL_IMPORT_LIBRARY_${dll}}")
    if(NOT import_library)
      continue()
    endif()
    execute_process(COMMAND ${CMAKE_NM} -g "${import_library}" OUTPUT_VARIABLE symbols RESULT_VARIABLE failed)
    string(REGEX MATCHALL " I __imp_[A-Za-z0-9_]+" imports "${symbols}")
    list(TRANSFORM imports REPLACE " I __imp_" "")
    list(REMOVE_DUPLICATES imports)
    if(failed OR NOT imports)
      continue()
    endif()
    list(JOIN imports "\n" exports)
    set(def_file "${CMAKE_CURRENT_BINARY_DIR}/delay_${dll}.def")
    set(delay_library "${CMAKE_CURRENT_BINARY_DIR}/libvastrel_delay_${dll}.a")
    file(WRITE "${def_file}" "LIBRARY ${dll}.dll\nEXPORTS\n${exports}\n")
    execute_process(COMMAND ${CMAKE_DLLTOOL} --input-def "${def_file}" --output-delaylib "${delay_library}"
                            --dllname ${dll}.dll
                    RESULT_VARIABLE failed)
    if(NOT failed)
      target_link_libraries(${target} PRIVATE "${delay_library}")
    endif()
  endforeach()
endfunction()
