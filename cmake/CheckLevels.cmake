cmake_minimum_required(VERSION 3.22)
# Refuses an include that runs the wrong way: a file may include headers of
# its own folder and of the folders its library links (directly or through
# another), and a library that links no Qt may include no Qt header.
# Run by the build with -DLEVELS=<file written at configure time> -DSOURCE_ROOT=<dir>
# -DSTAMP=<file touched on success>.
file(STRINGS "${LEVELS}" rows)
set(faults "")
foreach(row IN LISTS rows)
  # folder|qt|allowed;allowed...
  string(REPLACE "|" ";" parts "${row}")
  list(GET parts 0 folder)
  list(GET parts 1 qt)
  list(SUBLIST parts 2 -1 allowed)
  list(APPEND allowed "${folder}")
  file(GLOB sources "${SOURCE_ROOT}/${folder}/*.cpp" "${SOURCE_ROOT}/${folder}/*.h")
  foreach(source IN LISTS sources)
    file(RELATIVE_PATH shown "${SOURCE_ROOT}" "${source}")
    file(STRINGS "${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    foreach(line IN LISTS includes)
      if(line MATCHES "#[ \t]*include[ \t]*\"([^\"]+)\"")
        set(header "${CMAKE_MATCH_1}")
        if(EXISTS "${SOURCE_ROOT}/${folder}/${header}")
          continue()  # beside the file
        endif()
        if(NOT EXISTS "${SOURCE_ROOT}/${header}")
          continue()  # not ours
        endif()
        get_filename_component(used "${header}" DIRECTORY)
        if(NOT used IN_LIST allowed)
          string(APPEND faults "  ${shown}: includes ${header}, but ${folder} does not use ${used}\n")
        endif()
      elseif(NOT qt AND line MATCHES "#[ \t]*include[ \t]*<(Q[A-Za-z]+[^>]*)>")
        string(APPEND faults "  ${shown}: includes <${CMAKE_MATCH_1}>, but ${folder} is Qt-free\n")
      endif()
    endforeach()
  endforeach()
endforeach()
if(faults)
  message(FATAL_ERROR "Includes that run against the levels (see the README's Levels table):\n${faults}")
endif()
file(TOUCH "${STAMP}")
