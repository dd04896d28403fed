# Proves that the build refuses an include of a higher layer, both ways it can
# be written: through a layer's include folder (the compiler finds no such
# header) and beside the including file (the layer check stops the build).
#   cmake -DBUILD_DIR=<build> -DPROBES=<probes.txt> -DCHECK=<CheckLayers.cmake> -DWORK_DIR=<dir> -P refuse.cmake
cmake_minimum_required(VERSION 3.25)

set(failures "")

# The compiler: each probe header builds in its own layer and is not found below it.
file(STRINGS "${PROBES}" probes)
foreach(probe IN LISTS probes)
    string(REPLACE " " ";" probe "${probe}")
    list(GET probe 0 own)
    list(GET probe 1 below)
    list(GET probe 2 header)
    execute_process(COMMAND "${CMAKE_COMMAND}" --build "${BUILD_DIR}" --target ${own}
                    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(NOT result EQUAL 0)
        string(APPEND failures "${header} does not build in its own layer (${own}):\n${output}\n")
        continue()
    endif()
    execute_process(COMMAND "${CMAKE_COMMAND}" --build "${BUILD_DIR}" --target ${below}
                    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    string(FIND "${output}" "${header}" named)
    if(result EQUAL 0)
        string(APPEND failures "${header} builds in the layer below its own (${below})\n")
    elseif(named EQUAL -1 OR NOT output MATCHES "No such file|not found")
        string(APPEND failures "${below} failed, but not for want of ${header}:\n${output}\n")
    endif()
endforeach()

# The layer check, over a small tree of two layers: `low` below `high`.
set(root "${WORK_DIR}/src")
file(REMOVE_RECURSE "${WORK_DIR}")
file(WRITE "${root}/low/low.h" "#pragma once\n")
file(WRITE "${root}/low/window.h" "#pragma once\n")
file(WRITE "${root}/high/high.h" "#pragma once\n")
file(WRITE "${root}/stray/stray.h" "#pragma once\n")

# name | the including file's layer | its include | the fault expected, or nothing
set(cases
    "own layer beside it|low|low.h|"
    "a lower layer by its folder|high|low/low.h|"
    "a generated file|low|case.moc|"
    "a higher layer by its folder|low|high/high.h|a layer above its own"
    "a higher layer beside it|low|window.h|a layer above its own"
    "a header of no layer|low|stray/stray.h|belongs to no layer"
)
foreach(case IN LISTS cases)
    string(REPLACE "|" ";" case "${case}")
    list(GET case 0 name)
    list(GET case 1 layer)
    list(GET case 2 include)
    list(LENGTH case fields)
    set(expected "")
    if(fields GREATER 3)
        list(GET case 3 expected)
    endif()
    set(file "${root}/${layer}/case.cpp")
    file(REMOVE "${root}/low/case.cpp" "${root}/high/case.cpp")
    file(WRITE "${file}" "#include <vector>\n#include \"${include}\"\n")
    set(low_files "${root}/low/low.h")
    set(high_files "${root}/low/window.h;${root}/high/high.h")
    list(APPEND ${layer}_files "${file}")
    file(WRITE "${WORK_DIR}/layers.cmake"
         "set(VOCAMIRA_LAYERS low high)\nset(VOCAMIRA_LAYER_FILES_low \"${low_files}\")\n"
         "set(VOCAMIRA_LAYER_FILES_high \"${high_files}\")\n")
    execute_process(COMMAND "${CMAKE_COMMAND}" -DMANIFEST=${WORK_DIR}/layers.cmake -DSOURCE_ROOT=${root} -P "${CHECK}"
                    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(expected STREQUAL "" AND NOT result EQUAL 0)
        string(APPEND failures "layer check, ${name}: refused\n${output}\n")
    elseif(NOT expected STREQUAL "" AND (result EQUAL 0 OR NOT output MATCHES "${expected}"))
        string(APPEND failures "layer check, ${name}: expected \"${expected}\", got ${result}\n${output}\n")
    endif()
endforeach()

if(failures)
    message(FATAL_ERROR "${failures}")
endif()
